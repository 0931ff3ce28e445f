#include "gallery/GalleryScreens.h"

#include "ui/ActivityIndicatorView.h"
#include "ui/AlertView.h"
#include "ui/BarButtonItem.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/PageIndicator.h"
#include "ui/ProgressHUD.h"
#include "ui/Slider.h"
#include "ui/Views.h"

#include "foundation/Timer.h"

#include <cmath>

namespace gallery {
namespace {

const QColor kScreenGrey = ui::rgb(0.922, 0.922, 0.929);

ui::Label* sectionTitle(const QString& text, int y, QWidget* parent) {
  auto* label = new ui::Label(QRect(15, y, 290, 18), parent);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 13));
  label->setTextColor(ui::rgb(0.369, 0.384, 0.404));
  label->setText(text);
  return label;
}

ui::Button* actionButton(const QString& title, const QRect& frame, QWidget* parent) {
  auto* button = new ui::Button(frame, parent);
  button->setBackgroundImage(ui::Images::named(QStringLiteral("ui_nav_button.png")).withCapInsets(QMargins(8, 8, 8, 8)));
  button->setBackgroundImage(ui::Images::named(QStringLiteral("ui_nav_button_done.png")).withCapInsets(QMargins(8, 8, 8, 8)),
                             ui::Control::Highlighted);
  button->setTitle(title);
  button->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 14));
  button->setTitleShadowColor(QColor(0, 0, 0, 110));
  return button;
}

}  // namespace

HomeScreen::HomeScreen(ui::ProgressHUD** hud) : m_hud(hud) {
  setTitle(QStringLiteral("Toolkit"));
  navigationItem()->setBackBarButtonItem(new ui::BarButtonItem(QStringLiteral("Toolkit")));
  auto* info = new ui::BarButtonItem(QStringLiteral("Alert"));
  connect(info, &ui::BarButtonItem::triggered, this, [this] { showAlert(); });
  navigationItem()->setRightBarButtonItem(info);
}

void HomeScreen::loadView() {
  auto* view = new QWidget();
  view->resize(320, 416);
  ui::setBackgroundColor(view, kScreenGrey);

  auto* header = new QWidget(view);
  header->setGeometry(0, 0, 320, 60);
  ui::setBackgroundColor(header, ui::rgb(0.165, 0.247, 0.357));
  auto* title = new ui::Label(QRect(15, 17, 300, 30), header);
  title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 26));
  title->setTextColor(Qt::white);
  title->setText(QStringLiteral("MY TOOLKIT"));

  sectionTitle(QStringLiteral("TYPEFACE"), 72, view);
  const char* faces[] = {"Valdo-Light", "Valdo-Regular", "Valdo-Medium", "Valdo-Bold"};
  int y = 92;
  for (const char* face : faces) {
    auto* label = new ui::Label(QRect(15, y, 290, 20), view);
    label->setFont(ui::Fonts::font(QString::fromLatin1(face), 16));
    label->setText(QStringLiteral("%1 — Chargement ...").arg(QString::fromLatin1(face)));
    y += 21;
  }

  sectionTitle(QStringLiteral("CONTROLS"), 182, view);
  auto* slider = new ui::Slider(QRect(15, 202, 200, 30), view);
  slider->setValue(0.6);
  auto* spinner = new ui::ActivityIndicatorView(ui::ActivityIndicatorView::Style::Gray, view);
  spinner->move(235, 207);
  spinner->startAnimating();
  auto* dots = new ui::PageIndicator(QRect(15, 236, 290, 20), view);
  dots->setNumberOfPages(5);
  dots->setCurrentPage(1);
  dots->setPageIndicatorColor(ui::rgb(0.369, 0.384, 0.404, 0.35));
  dots->setCurrentPageIndicatorColor(ui::rgb(0.369, 0.384, 0.404));

  sectionTitle(QStringLiteral("SCREENS"), 266, view);
  auto* alert = actionButton(QStringLiteral("Two alerts"), QRect(15, 288, 140, 38), view);
  connect(alert, &ui::Control::touchUpInside, this, [this] { showStackedAlerts(); });
  auto* loading = actionButton(QStringLiteral("Loading"), QRect(165, 288, 140, 38), view);
  connect(loading, &ui::Control::touchUpInside, this, [this] {
    if (!*m_hud) return;
    (*m_hud)->show(true);
    auto* timer = new foundation::Timer(foundation::Timer::singleShot(2.0, [this] {
      if (*m_hud) (*m_hud)->hide(true);
    }));
    connect(this, &QObject::destroyed, [timer] { delete timer; });
  });
  auto* table = actionButton(QStringLiteral("Table"), QRect(15, 336, 140, 38), view);
  connect(table, &ui::Control::touchUpInside, this, [this] { openTable(); });
  auto* pages = actionButton(QStringLiteral("Pages"), QRect(165, 336, 140, 38), view);
  connect(pages, &ui::Control::touchUpInside, this, [this] { openPages(); });
  setView(view);
}

void HomeScreen::showAlert() {
  (new ui::AlertView(QString(), QStringLiteral("La box ne répond pas. Vérifiez qu'elle est branchée et reliée à Internet."),
                     nullptr, QStringLiteral("OK")))
      ->show();
}

void HomeScreen::showStackedAlerts() {
  (new ui::AlertView(QStringLiteral("Première"), QStringLiteral("Sous la seconde alerte."), nullptr, QStringLiteral("OK")))
      ->show();
  (new ui::AlertView(QStringLiteral("Session expirée"), QStringLiteral("Votre session a expiré. Reconnectez-vous."),
                     nullptr, QStringLiteral("OK")))
      ->show();
}

void HomeScreen::openTable() {
  if (navigationController()) navigationController()->pushViewController(new TableScreen(), true);
}

void HomeScreen::openPages() {
  if (navigationController()) navigationController()->pushViewController(new PagesScreen(), true);
}

// -- Table ------------------------------------------------------------------------------------

TableScreen::TableScreen() {
  setTitle(QStringLiteral("Rows"));
  for (const char* name : {"Salon", "Cuisine", "Chambre", "Bureau", "Entrée", "Garage", "Jardin", "Terrasse",
                           "Salle de bain", "Couloir", "Cave", "Grenier"}) {
    m_rows << QString::fromUtf8(name);
  }
}

void TableScreen::loadView() {
  m_table = new ui::TableView(QRect(0, 0, 320, 416), nullptr);
  ui::setBackgroundColor(m_table, Qt::white);
  m_table->setDataSource(this);
  m_table->setDelegate(this);
  m_table->reloadData();
  setView(m_table);
}

int TableScreen::tableViewNumberOfRowsInSection(ui::TableView*, int) { return int(m_rows.size()); }

int TableScreen::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path) {
  return path.row % 4 == 3 ? 80 : 50;
}

ui::TableViewCell* TableScreen::tableViewCellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) {
  auto* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("CELLID"));
  if (!cell) {
    cell = new ui::TableViewCell(QStringLiteral("CELLID"));
    auto* name = new ui::Label(QRect(15, 0, 200, 50), cell->contentView());
    name->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 14));
    ui::setTag(name, 3000);
    auto* detail = new ui::Label(QRect(220, 0, 85, 50), cell->contentView());
    detail->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 12));
    detail->setTextColor(ui::rgb(0.416, 0.671, 0.85));
    detail->setTextAlignment(Qt::AlignRight);
    ui::setTag(detail, 4000);
  }
  ui::viewWithTag<ui::Label>(cell, 3000)->setText(m_rows.value(path.row));
  ui::viewWithTag<ui::Label>(cell, 4000)->setText(QStringLiteral("%1 pt").arg(tableViewHeightForRowAtIndexPath(table, path)));
  for (QWidget* w : {ui::viewWithTag(cell, 3000), ui::viewWithTag(cell, 4000)}) w->resize(w->width(), tableViewHeightForRowAtIndexPath(table, path));
  return cell;
}

void TableScreen::tableViewDidSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) {
  table->deselectRowAtIndexPath(path, true);
}

// -- Pages ------------------------------------------------------------------------------------

PagesScreen::PagesScreen() { setTitle(QStringLiteral("Pages")); }

void PagesScreen::loadView() {
  auto* view = new QWidget();
  view->resize(320, 416);
  ui::setBackgroundColor(view, kScreenGrey);
  auto* titleBar = new QWidget(view);
  titleBar->setObjectName(QStringLiteral("titleBar"));
  titleBar->setGeometry(0, 0, 320, 20);
  ui::setBackgroundColor(titleBar, ui::rgb(0.369, 0.384, 0.404));
  m_pages = new ui::ScrollView(QRect(0, 20, 320, 200), view);
  m_pages->setPagingEnabled(true);
  m_pages->setShowsHorizontalScrollIndicator(false);
  ui::setBackgroundColor(m_pages, Qt::black);
  m_pages->setContentSize(QSize(3 * 320, 200));
  const QColor colors[] = {ui::rgb(0.086, 0.443, 0.678), ui::rgb(0.118, 0.792, 0.384), ui::rgb(0.965, 0.533, 0.125)};
  for (int i = 0; i < 3; ++i) {
    auto* page = new ui::Label(QRect(i * 320 + 20, 20, 280, 160), m_pages->contentView());
    page->setAutoFillBackground(true);
    ui::setBackgroundColor(page, colors[i]);
    page->setTextAlignment(Qt::AlignHCenter);
    page->setTextColor(Qt::white);
    page->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 26));
    page->setText(QStringLiteral("Caméra %1").arg(i + 1));
  }
  m_pages->setDelegate(this);
  m_indicator = new ui::PageIndicator(QRect(0, 220, 320, 20), view);
  ui::setBackgroundColor(m_indicator, ui::rgb(0.369, 0.384, 0.404));
  m_indicator->setNumberOfPages(3);
  connect(m_indicator, &ui::Control::valueChanged, this,
          [this] { m_pages->setContentOffset(QPointF(m_indicator->currentPage() * 320.0, 0), true); });
  setView(view);
}

bool PagesScreen::shouldAutorotateToInterfaceOrientation(ui::Orientation orientation) const {
  return orientation != ui::Orientation::PortraitUpsideDown;
}

void PagesScreen::didRotateFromInterfaceOrientation(ui::Orientation) {
  // The strip keeps its pages 320 points wide and stays centred.
  const int x = (view()->width() - 320) / 2;
  m_pages->move(x, m_pages->y());
  m_indicator->setGeometry(0, 220, view()->width(), 20);
  view()->findChild<QWidget*>(QStringLiteral("titleBar"))->setGeometry(0, 0, view()->width(), 20);
}

void PagesScreen::scrollViewDidScroll(ui::ScrollView* scrollView) {
  const int page = int(std::floor((scrollView->contentOffset().x() - 160.0) / 320.0)) + 1;
  m_indicator->setCurrentPage(page);
}

}  // namespace gallery
