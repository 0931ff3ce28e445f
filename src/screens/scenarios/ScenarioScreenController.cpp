#include "screens/scenarios/ScenarioScreenController.h"

#include "screens/scenarios/ScenarioHeatingController.h"
#include "screens/scenarios/ScenarioLightingController.h"
#include "screens/scenarios/ScenarioShuttersController.h"
#include "screens/scenarios/ScenarioTableViewController.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include <QEvent>

#include <algorithm>

namespace {
constexpr int kRowsBeforeGrowing = 7;
}  // namespace

ScenarioScreenController::ScenarioScreenController(QString headerImage, QString titleKey, QString filter, QObject* parent)
    : ui::Screen(parent), m_headerImage(std::move(headerImage)), m_titleKey(std::move(titleKey)), m_filter(std::move(filter)) {}

ScenarioScreenController::~ScenarioScreenController() {
  // The list's rows live in our view: the list goes first, while they still exist.
  m_list.reset();
}

int ScenarioScreenController::listHeightFor(int count) {
  return count < kRowsBeforeGrowing ? kMinimumListHeight : ScenarioTableViewController::kRowHeight * count;
}

void ScenarioScreenController::viewDidLoad() {
  QWidget* root = view();
  ui::setBackgroundColor(root, ui::rgb(0.922, 0.922, 0.929));

  m_header = new ui::ImageView(m_headerImage, root);
  m_header->setGeometry(0, 0, 320, kHeaderHeight);
  m_title = new ui::Label(root);
  m_title->setObjectName(QStringLiteral("scenarioTitle"));
  m_title->setNumberOfLines(2);
  m_title->setText(foundation::localized(m_titleKey));
  m_title->setTextColor(Qt::white);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 22));
  m_title->setGeometry(20, 14, 200, kHeaderHeight - 24);

  m_scroll = new ui::ScrollView(root);
  m_scroll->setShowsHorizontalScrollIndicator(false);
  m_scroll->setAlwaysBounceVertical(true);
  m_card = new ui::ImageView(m_scroll->contentView());
  m_card->setImage(ui::Images::named(QStringLiteral("home_card.png")).stretchable(12, 12));

  m_list = std::make_unique<ScenarioTableViewController>(m_filter);
  ui::TableView* table = m_list->tableView();
  table->setParent(m_scroll->contentView());
  table->move(kListMargin, kListMargin);
  table->show();
  connect(m_list.get(), &ScenarioTableViewController::contentChanged, this, &ScenarioScreenController::changeScrollContentSize);

  root->installEventFilter(this);
  layout();
}

void ScenarioScreenController::layout() {
  QWidget* root = view();
  m_scroll->setGeometry(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight);
  changeScrollContentSize();
}

void ScenarioScreenController::changeScrollContentSize() {
  if (!m_list || !m_scroll) return;
  const int count = int(m_list->scenarios().size());
  const int width = 320 - 2 * kListMargin;
  const int height = listHeightFor(count);
  m_list->tableView()->resize(width, height);
  // The white card holds the rows only, not the room below them.
  m_card->setGeometry(QRect(kListMargin, kListMargin, width, std::min(height, m_list->contentHeight())).adjusted(-3, -2, 3, 4));
  m_scroll->setContentSize(QSize(320, height + 2 * kListMargin));
}

void ScenarioScreenController::refresh() {
  if (m_list) m_list->refresh();
}

bool ScenarioScreenController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) layout();
  return ui::Screen::eventFilter(watched, event);
}

ScenarioLightingController::ScenarioLightingController(QObject* parent)
    : ScenarioScreenController(QStringLiteral("scenario_top_lighting.png"), QStringLiteral("MY LIGHTING SCENARIO"),
                               QStringLiteral("LIGHTING"), parent) {}

ScenarioShuttersController::ScenarioShuttersController(QObject* parent)
    : ScenarioScreenController(QStringLiteral("scenario_top_shutters.png"), QStringLiteral("MY SHUTTERS SCENARIO"),
                               QStringLiteral("OPENINGS"), parent) {}

ScenarioHeatingController::ScenarioHeatingController(QObject* parent)
    : ScenarioScreenController(QStringLiteral("scenario_top_heating.png"), QStringLiteral("MY HEATING SCENARIO"),
                               QStringLiteral("CLIMATIC"), parent) {}
