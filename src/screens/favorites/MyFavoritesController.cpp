#include "screens/favorites/MyFavoritesController.h"

#include "screens/favorites/MyFavoritesTableView.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include <QEvent>

#include <algorithm>

namespace {
constexpr int kRowsBeforeGrowing = 7;
}  // namespace

MyFavoritesController::MyFavoritesController(QObject* parent) : ui::Screen(parent) {}

MyFavoritesController::~MyFavoritesController() {
  // The list's rows live in our view: the list goes first, while they still exist.
  m_list.reset();
}

int MyFavoritesController::listHeightFor(int count) {
  return count < kRowsBeforeGrowing ? kMinimumListHeight : MyFavoritesTableView::kRowHeight * count;
}

void MyFavoritesController::viewDidLoad() {
  QWidget* root = view();
  ui::setBackgroundColor(root, ui::rgb(0.922, 0.922, 0.929));

  m_header = new ui::ImageView(QStringLiteral("favorites_top.png"), root);
  m_header->setGeometry(0, 0, 320, kHeaderHeight);
  m_title = new ui::Label(root);
  m_title->setObjectName(QStringLiteral("favoritesTitle"));
  m_title->setNumberOfLines(2);
  m_title->setText(foundation::localized("FAVORITES"));
  m_title->setTextColor(Qt::white);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 22));
  m_title->setGeometry(20, 14, 200, kHeaderHeight - 24);

  m_scroll = new ui::ScrollView(root);
  m_scroll->setShowsHorizontalScrollIndicator(false);
  m_scroll->setAlwaysBounceVertical(true);
  m_card = new ui::ImageView(m_scroll->contentView());
  m_card->setImage(ui::Images::named(QStringLiteral("home_card.png")).stretchable(12, 12));

  m_list = std::make_unique<MyFavoritesTableView>();
  ui::TableView* table = m_list->tableView();
  table->setParent(m_scroll->contentView());
  table->move(kListMargin, kListMargin);
  table->show();
  connect(m_list.get(), &MyFavoritesTableView::contentChanged, this, &MyFavoritesController::changeScrollContentSize);

  root->installEventFilter(this);
  layout();
}

void MyFavoritesController::layout() {
  QWidget* root = view();
  m_scroll->setGeometry(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight);
  changeScrollContentSize();
}

void MyFavoritesController::changeScrollContentSize() {
  if (!m_list || !m_scroll) return;
  const int width = 320 - 2 * kListMargin;
  const int height = listHeightFor(int(m_list->favorites().size()));
  m_list->tableView()->resize(width, height);
  // The card holds the rows only, not the room below them.
  m_card->setGeometry(QRect(kListMargin, kListMargin, width, std::min(height, m_list->contentHeight())).adjusted(-3, -2, 3, 4));
  m_scroll->setContentSize(QSize(320, height + 2 * kListMargin));
}

void MyFavoritesController::refresh() {
  if (m_list) m_list->refresh();
}

bool MyFavoritesController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) layout();
  return ui::Screen::eventFilter(watched, event);
}
