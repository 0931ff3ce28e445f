#include "screens/scenarios/ScenarioTableViewController.h"

#include "backend/BESessionManager.h"
#include "backend/BEServiceScenario.h"
#include "controls/playstop/CustomPlayStop.h"
#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QPointer>

#include <algorithm>

namespace {

constexpr const char* kPlayed = "PLAYED";
constexpr const char* kEnabled = "ENABLED";
constexpr const char* kDisabled = "DISABLED";
// The empty text of a domain list sits over the upper half of its screen's list.
constexpr int kEmptyDomainRowHeight = 165;
constexpr int kSideMargin = 15;
constexpr int kControlRightMargin = 12;
constexpr int kSeparatorGap = 14;

const QColor kNameColor(0x1d, 0x26, 0x33);
const QColor kEmptyColor(0x6b, 0x74, 0x80);
const QColor kLineColor(0xdd, 0xe1, 0xe6);

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

bool hasStatus(const VOScenario& scenario, const char* status) { return scenario.status && *scenario.status == status; }

}  // namespace

// One row: the scenario's name, a thin vertical line and the play/stop control, a line along
// the bottom; or the empty-list text. Rows are reused: configure() sets everything a row shows.
class ScenarioTableViewController::Cell : public ui::TableViewCell {
 public:
  Cell(const QString& colorId, bool played, QWidget* parent = nullptr)
      : ui::TableViewCell(QStringLiteral("scenario"), parent) {
    setSelectionStyle(SelectionStyle::None);
    QWidget* content = contentView();
    m_name = new ui::Label(content);
    m_name->setFont(ui::Fonts::font(QString::fromLatin1(played ? "Valdo-Bold" : "Valdo-Medium"), played ? 13 : 15));
    m_name->setTextColor(kNameColor);
    m_vline = new QWidget(content);
    ui::setBackgroundColor(m_vline, kLineColor);
    m_control = new CustomPlayStop(QRect(0, 0, CustomPlayStop::kWidth, CustomPlayStop::kHeight), false, colorId, content);
    m_bottomLine = new QWidget(content);
    ui::setBackgroundColor(m_bottomLine, kLineColor);
    m_empty = new ui::Label(content);
    m_empty->setNumberOfLines(2);
    m_empty->setTextColor(kEmptyColor);
    m_empty->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), played ? 13 : 15));
    m_emptyIcon = new ui::ImageView(content);
  }

  CustomPlayStop* control() const { return m_control; }
  ui::Label* emptyLabel() const { return m_empty; }

  void configure(const VOScenario& scenario, bool running, bool lastRow, bool played) {
    m_empty->hide();
    m_emptyIcon->hide();
    m_name->show();
    m_vline->show();
    m_control->show();
    m_name->setText(text(scenario.name));
    const QString identifier = text(scenario.identifier);
    m_control->setIdentifier(identifier);
    // A scenario the service gave no identifier cannot be driven: no command could name it.
    m_control->setEnabled(!identifier.isEmpty());
    m_control->setPlayStopSelected(running);
    m_bottomLine->setVisible(!(played && lastRow));
    layout();
  }

  void configureEmpty(const QString& message, bool played) {
    m_name->hide();
    m_vline->hide();
    m_control->hide();
    m_bottomLine->hide();
    m_empty->setText(message);
    m_empty->show();
    m_played = played;
    if (!played) {
      m_emptyIcon->setImageName(QStringLiteral("scenario_empty.png"));
      m_emptyIcon->show();
    }
    layout();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    ui::TableViewCell::resizeEvent(event);
    layout();
  }

 private:
  void layout() {
    const int w = width(), h = height();
    const int controlX = w - kControlRightMargin - CustomPlayStop::kWidth;
    m_control->move(controlX, (h - CustomPlayStop::kHeight) / 2);
    m_vline->setGeometry(controlX - kSeparatorGap, 10, 1, h - 20);
    m_name->setGeometry(kSideMargin, 0, controlX - kSeparatorGap - 8 - kSideMargin, h);
    m_bottomLine->setGeometry(kSideMargin, h - 1, w - kSideMargin, 1);
    if (m_played) {
      // Left-aligned in a box 40 high, like a row's name.
      m_empty->setTextAlignment(Qt::AlignLeft);
      m_empty->setGeometry(kSideMargin, (h - 40) / 2, w - 2 * kSideMargin, 40);
    } else {
      m_emptyIcon->setGeometry((w - 48) / 2, h / 2 - 58, 48, 48);
      m_empty->setTextAlignment(Qt::AlignHCenter);
      m_empty->setGeometry(20, h / 2, w - 40, 44);
    }
  }

  ui::Label* m_name = nullptr;
  QWidget* m_vline = nullptr;
  QWidget* m_bottomLine = nullptr;
  CustomPlayStop* m_control = nullptr;
  ui::Label* m_empty = nullptr;
  ui::ImageView* m_emptyIcon = nullptr;
  bool m_played = false;
};

ScenarioTableViewController::ScenarioTableViewController(const QString& filter, QObject* parent)
    : QObject(parent), m_filter(filter.isEmpty() ? QStringLiteral("LIGHTING") : filter) {
  m_tableView = new ui::TableView();
  m_tableView->setDataSource(this);
  m_tableView->setDelegate(this);
  m_tableView->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
  m_tableView->setAllowsSelection(false);
  m_tableView->setScrollEnabled(false);
  m_tableView->setShowsVerticalScrollIndicator(false);
  m_tableView->setAutoFillBackground(false);

  // Every scenario list filed, and every command, whichever screen sent it.
  backend::Home& home = BESessionManager::getInstance().home();
  connect(&home, &backend::Home::scenariosChanged, this, &ScenarioTableViewController::refreshData);
  connect(&home, &backend::Home::cleared, this, &ScenarioTableViewController::refreshData);
  refreshData();  // what the store already holds, until the answer
  if (!isPlayedMode()) fetch(BESessionManager::getInstance().scenarios().empty());
}

ScenarioTableViewController::~ScenarioTableViewController() {
  // The table view may live in a widget the owner destroys first; otherwise it goes with us.
  if (m_tableView) {
    m_tableView->setDataSource(nullptr);
    m_tableView->setDelegate(nullptr);
    if (!m_tableView->parent()) delete m_tableView.data();
  }
}

QString ScenarioTableViewController::colorId() const {
  if (m_filter == QLatin1String("LIGHTING")) return QStringLiteral("yellow");
  if (m_filter == QLatin1String("OPENINGS")) return QStringLiteral("green");
  if (m_filter == QLatin1String("CLIMATIC")) return QStringLiteral("red");
  if (isPlayedMode()) return QStringLiteral("blue");
  return QStringLiteral("red");
}

QString ScenarioTableViewController::emptyTextKey() const {
  if (m_filter == QLatin1String("LIGHTING")) return QStringLiteral("You do not have scripts for your lighting.");
  if (m_filter == QLatin1String("OPENINGS")) return QStringLiteral("You do not have scripts for your opening.");
  if (m_filter == QLatin1String("CLIMATIC")) return QStringLiteral("You do not have scripts for your heating.");
  if (isPlayedMode()) return QStringLiteral("No current scenario.");
  return QStringLiteral("---");
}

QString ScenarioTableViewController::emptyText() const {
  if (!m_scenarios.empty()) return {};
  const QString key = emptyTextKey();
  // "---" is a text of its own, not a key.
  return key == QLatin1String("---") ? key : foundation::localized(key);
}

int ScenarioTableViewController::contentHeight() const {
  if (m_scenarios.empty()) return isPlayedMode() ? kRowHeight : kEmptyDomainRowHeight;
  return kRowHeight * int(m_scenarios.size());
}

void ScenarioTableViewController::fetch(bool withOverlay) {
  if (isPlayedMode()) return;  // the dashboard's owner reads it
  // The answer reaches the rows through the store's signal.
  m_calls.call(BEServiceScenario::getInstance().getList(), {}, {},
               withOverlay ? backend::ServiceCalls::Overlay::Show : backend::ServiceCalls::Overlay::None);
}

void ScenarioTableViewController::refresh() {
  if (!isPlayedMode()) m_calls.refresh(BEServiceScenario::getInstance().getList(), {});
}

void ScenarioTableViewController::refreshData() {
  backend::RecordList<VOScenario> rows;
  const BESessionManager& store = BESessionManager::getInstance();
  if (isPlayedMode()) {
    if (const auto& dashboard = store.dashboard()) {
      for (const auto& scenario : dashboard->scenarios)
        if (scenario && hasStatus(*scenario, kEnabled) && shownRunning(*scenario)) rows.push_back(scenario);
    }
  } else {
    const std::string category = m_filter.toStdString();
    for (const auto& scenario : store.scenarios())
      if (scenario && scenario->category && *scenario->category == category) rows.push_back(scenario);
  }
  m_scenarios = std::move(rows);
  if (m_tableView) {
    m_tableView->resize(m_tableView->width(), std::max(m_tableView->height(), contentHeight()));
    m_tableView->reloadData();
  }
  emit contentChanged();
}

CustomPlayStop* ScenarioTableViewController::controlForRow(int row) const {
  if (!m_tableView || row < 0 || row >= int(m_scenarios.size())) return nullptr;
  auto* cell = static_cast<Cell*>(m_tableView->cellForRowAtIndexPath({0, row}));
  return cell ? cell->control() : nullptr;
}

int ScenarioTableViewController::tableViewNumberOfRowsInSection(ui::TableView*, int) {
  return std::max<int>(1, int(m_scenarios.size()));
}

int ScenarioTableViewController::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath&) {
  return m_scenarios.empty() ? contentHeight() : kRowHeight;
}

ui::TableViewCell* ScenarioTableViewController::tableViewCellForRowAtIndexPath(ui::TableView* tableView,
                                                                               const ui::IndexPath& indexPath) {
  auto* cell = static_cast<Cell*>(tableView->dequeueReusableCellWithIdentifier(QStringLiteral("scenario")));
  if (!cell) {
    cell = new Cell(colorId(), isPlayedMode());
    QPointer<CustomPlayStop> control = cell->control();
    // The control has toggled itself when this arrives: it shows what the user asked for.
    connect(control, &ui::Control::touchUpInside, this, [this, control] {
      if (control) controlToggled(control);
    });
  }
  if (m_scenarios.empty()) {
    cell->configureEmpty(emptyText(), isPlayedMode());
  } else {
    const bool last = indexPath.row == int(m_scenarios.size()) - 1;
    const VOScenario& scenario = *m_scenarios[size_t(indexPath.row)];
    cell->configure(scenario, shownRunning(scenario), last, isPlayedMode());
  }
  return cell;
}

void ScenarioTableViewController::controlToggled(CustomPlayStop* control) {
  const QString identifier = control->identifier();
  if (identifier.isEmpty()) return;
  // The dashboard's list only stops what runs.
  sendStatus(identifier, isPlayedMode() ? false : control->isSelected());
}

bool ScenarioTableViewController::shownRunning(const VOScenario& scenario) const {
  const QString shown = BESessionManager::getInstance().home().scenarioStatus(text(scenario.identifier), text(scenario.status));
  return shown == QLatin1String(kEnabled);
}

void ScenarioTableViewController::sendStatus(const QString& identifier, bool running) {
  // The home shows the command at once (a stopped scenario leaves the dashboard's list, and comes
  // back if the stop fails) and settles it; the rows follow its signal.
  const QString status = QString::fromLatin1(running ? kEnabled : kDisabled);
  m_calls.call(BEServiceScenario::getInstance().putStatusWithId(status, identifier), {}, {});
}
