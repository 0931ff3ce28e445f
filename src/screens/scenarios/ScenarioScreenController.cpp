#include "screens/scenarios/ScenarioScreenController.h"

#include "screens/scenarios/ScenarioHeatingController.h"
#include "screens/scenarios/ScenarioLightingController.h"
#include "screens/scenarios/ScenarioShuttersController.h"
#include "screens/scenarios/ScenarioTableViewController.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include <QEvent>


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

  m_list = std::make_unique<ScenarioTableViewController>(m_filter);
  m_cardList = std::make_unique<controls::CardList>(root, m_list->tableView());
  connect(m_list.get(), &ScenarioTableViewController::contentChanged, this, &ScenarioScreenController::changeScrollContentSize);

  root->installEventFilter(this);
  changeScrollContentSize();
}

void ScenarioScreenController::changeScrollContentSize() {
  if (!m_list || !m_cardList || !isViewLoaded()) return;
  QWidget* root = view();
  m_cardList->layout(QRect(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight),
                     listHeightFor(int(m_list->scenarios().size())), m_list->contentHeight());
}

void ScenarioScreenController::refresh() {
  if (m_list) m_list->refresh();
}

bool ScenarioScreenController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) changeScrollContentSize();
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
