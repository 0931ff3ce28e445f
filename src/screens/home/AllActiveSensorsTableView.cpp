#include "screens/home/AllActiveSensorsTableView.h"

#include "backend/BEServiceDevice.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"
#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <algorithm>

namespace {

constexpr int kSideMargin = 15;
constexpr int kSwitchRightMargin = 12;
constexpr int kSeparatorGap = 14;
constexpr int kSelectorNameHeight = 30;
constexpr int kSelectorRightMargin = 6;

const QColor kNameColor(0x1d, 0x26, 0x33);
const QColor kEmptyColor(0x6b, 0x74, 0x80);
const QColor kLineColor(0xdd, 0xe1, 0xe6);

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

const QStringList kLightTypes{"P0RD", "P0R", "P0RO", "P0RS", "P0MLR", "P0MLRW", "P0SC", "P0RG"};
const QStringList kOnOffOpeningTypes{"P0MFM", "P0SF"};
const QStringList kOpenCloseTypes{"P0MF6", "P0MF20", "P0MF30"};
const QStringList kOnOffHeatingTypes{"P1RR", "P1MHR", "P1RPM", "P1MCH"};
const QStringList kModeHeatingTypes{"P0VM", "P1MFC", "P1MHWR", "P1WT"};

}  // namespace

AllActiveSensorsTableView::Kind AllActiveSensorsTableView::kindOf(const QString& type) {
  if (type == QLatin1String("P0VM"))
    return {RowKind::Selector, {"Low speed", "High speed"}, {"LOW_SPEED", "HIGH_SPEED"}};
  if (type == QLatin1String("P1MFC"))
    return {RowKind::Selector, {"Forced off", "Local mode", "Forced on"}, {"FORCED_OFF", "MODE_LOCAL", "FORCED_ON"}};
  if (type == QLatin1String("P1MHWR") || type == QLatin1String("P1WT"))
    return {RowKind::Selector, {"Stop", "Frostguard", "Eco", "Comfort"}, {"OFF", "FROSTGUARD", "ECO", "COMFORT"}};
  if (kOpenCloseTypes.contains(type)) return {RowKind::OpenCloseSwitch, {}, {}};
  return {RowKind::Switch, {}, {}};
}

int AllActiveSensorsTableView::familyOf(const QString& type, const QString& status) {
  if (kLightTypes.contains(type)) return status == QLatin1String("ON") ? 0 : -1;
  if (kOnOffOpeningTypes.contains(type)) return status == QLatin1String("ON") ? 1 : -1;
  if (kOpenCloseTypes.contains(type)) return status == QLatin1String("OPEN") ? 1 : -1;
  if (kOnOffHeatingTypes.contains(type)) return status == QLatin1String("ON") ? 2 : -1;
  if (kModeHeatingTypes.contains(type)) return 2;
  return -1;
}

// One row: the device's name and its control (a switch beside a thin vertical line, or a
// selector under the name); or the empty-list text. A cell keeps one kind of control for life:
// rows are reused by kind.
class AllActiveSensorsTableView::Cell : public ui::TableViewCell {
 public:
  Cell(const QString& reuse, int positions, QWidget* parent = nullptr) : ui::TableViewCell(reuse, parent) {
    setSelectionStyle(SelectionStyle::None);
    QWidget* content = contentView();
    m_name = new ui::Label(content);
    m_name->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 12));
    m_name->setTextColor(kNameColor);
    m_bottomLine = new QWidget(content);
    ui::setBackgroundColor(m_bottomLine, kLineColor);
    if (positions > 0) {
      m_selector = new CustomSliderText(QPoint(0, 0), positions, 0, QStringLiteral("blue"), content);
    } else if (reuse == QLatin1String("switch")) {
      m_vline = new QWidget(content);
      ui::setBackgroundColor(m_vline, kLineColor);
      m_switch = new CustomSwitch(QPoint(0, 0), true, QStringLiteral("blue"), content);
    } else {
      m_name->setNumberOfLines(2);
      m_name->setTextColor(kEmptyColor);
      m_name->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 13));
      m_bottomLine->hide();
    }
  }

  ui::Label* name() const { return m_name; }
  CustomSwitch* switchControl() const { return m_switch; }
  CustomSliderText* selector() const { return m_selector; }
  void setLastRow(bool last) { m_bottomLine->setVisible(!last && (m_switch || m_selector)); }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    ui::TableViewCell::resizeEvent(event);
    const int w = width(), h = height();
    m_bottomLine->setGeometry(kSideMargin, h - 1, w - kSideMargin, 1);
    if (m_selector) {
      m_name->setGeometry(kSideMargin, 4, w - 2 * kSideMargin, kSelectorNameHeight - 4);
      // At the right edge, whatever its number of positions.
      m_selector->move(w - kSelectorRightMargin - m_selector->width(), h - CustomSliderText::kHeight);
    } else if (m_switch) {
      const int x = w - kSwitchRightMargin - CustomSwitch::kWidth;
      m_switch->move(x, (h - CustomSwitch::kHeight) / 2);
      m_vline->setGeometry(x - kSeparatorGap, 10, 1, h - 20);
      m_name->setGeometry(kSideMargin, 0, x - kSeparatorGap - 8 - kSideMargin, h);
    } else {
      m_name->setGeometry(kSideMargin, 5, w - 2 * kSideMargin, 40);
    }
  }

 private:
  ui::Label* m_name = nullptr;
  QWidget* m_vline = nullptr;
  QWidget* m_bottomLine = nullptr;
  CustomSwitch* m_switch = nullptr;
  CustomSliderText* m_selector = nullptr;
};

AllActiveSensorsTableView::AllActiveSensorsTableView(QObject* parent) : QObject(parent) {
  m_tableView = new ui::TableView();
  m_tableView->setDataSource(this);
  m_tableView->setDelegate(this);
  m_tableView->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
  m_tableView->setAllowsSelection(false);
  m_tableView->setScrollEnabled(false);
  m_tableView->setShowsVerticalScrollIndicator(false);
  // A device switched off (here or on any screen) leaves the list at once, and comes back if the
  // command is refused.
  connect(&BESessionManager::getInstance().home(), &backend::Home::deviceChanged, this, [this] { refreshData(); });
  refreshData();
}

AllActiveSensorsTableView::~AllActiveSensorsTableView() {
  if (m_tableView) {
    m_tableView->setDataSource(nullptr);
    m_tableView->setDelegate(nullptr);
    if (!m_tableView->parent()) delete m_tableView.data();
  }
}

QString AllActiveSensorsTableView::shownStatus(const VODeviceLight& device) const {
  return BESessionManager::getInstance().home().deviceStatus(text(device.serial), text(device.status));
}

void AllActiveSensorsTableView::refreshData() {
  m_lighting.clear();
  m_opening.clear();
  m_heating.clear();
  if (const auto& dashboard = BESessionManager::getInstance().dashboard()) {
    for (const auto* list : {&dashboard->opening, &dashboard->climatic, &dashboard->lighting}) {
      for (const auto& device : *list) {
        if (!device) continue;
        switch (familyOf(text(device->type), shownStatus(*device))) {
          case 0: m_lighting.push_back(device); break;
          case 1: m_opening.push_back(device); break;
          case 2: m_heating.push_back(device); break;
          default: break;
        }
      }
    }
  }
  m_sensors = m_lighting;
  m_sensors.insert(m_sensors.end(), m_opening.begin(), m_opening.end());
  m_sensors.insert(m_sensors.end(), m_heating.begin(), m_heating.end());

  m_contentHeight = 0;
  for (const auto& device : m_sensors)
    m_contentHeight += kindOf(text(device->type)).row == RowKind::Selector ? kSelectorRowHeight : kSwitchRowHeight;
  if (m_sensors.empty()) m_contentHeight = kSwitchRowHeight;

  if (m_tableView) {
    m_tableView->resize(m_tableView->width(), std::max(m_tableView->height(), m_contentHeight));
    m_tableView->reloadData();
  }
  emit contentChanged();
}

QString AllActiveSensorsTableView::emptyText() const {
  return m_sensors.empty() ? foundation::localized("Aucun équipement allumé.") : QString();
}

CustomSwitch* AllActiveSensorsTableView::switchForRow(int row) const {
  if (!m_tableView || row < 0 || row >= int(m_sensors.size())) return nullptr;
  auto* cell = static_cast<Cell*>(m_tableView->cellForRowAtIndexPath({0, row}));
  return cell ? cell->switchControl() : nullptr;
}

CustomSliderText* AllActiveSensorsTableView::selectorForRow(int row) const {
  if (!m_tableView || row < 0 || row >= int(m_sensors.size())) return nullptr;
  auto* cell = static_cast<Cell*>(m_tableView->cellForRowAtIndexPath({0, row}));
  return cell ? cell->selector() : nullptr;
}

int AllActiveSensorsTableView::tableViewNumberOfRowsInSection(ui::TableView*, int) {
  return std::max<int>(1, int(m_sensors.size()));
}

int AllActiveSensorsTableView::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  if (m_sensors.empty()) return kSwitchRowHeight;
  const auto& device = m_sensors[size_t(indexPath.row)];
  return kindOf(text(device->type)).row == RowKind::Selector ? kSelectorRowHeight : kSwitchRowHeight;
}

ui::TableViewCell* AllActiveSensorsTableView::tableViewCellForRowAtIndexPath(ui::TableView* tableView,
                                                                             const ui::IndexPath& indexPath) {
  if (m_sensors.empty()) {
    auto* cell = static_cast<Cell*>(tableView->dequeueReusableCellWithIdentifier(QStringLiteral("empty")));
    if (!cell) cell = new Cell(QStringLiteral("empty"), 0);
    cell->name()->setText(emptyText());
    return cell;
  }

  const VODeviceLight& device = *m_sensors[size_t(indexPath.row)];
  const Kind kind = kindOf(text(device.type));
  const QString serial = text(device.serial);
  const bool last = indexPath.row == int(m_sensors.size()) - 1;

  if (kind.row == RowKind::Selector) {
    const int positions = int(kind.positionStatuses.size());
    const QString reuse = QStringLiteral("selector%1").arg(positions);
    auto* cell = static_cast<Cell*>(tableView->dequeueReusableCellWithIdentifier(reuse));
    if (!cell) {
      cell = new Cell(reuse, positions);
      CustomSliderText* selector = cell->selector();
      for (int k = 0; k < positions; ++k) {
        CustomButton* button = selector->button(k);
        connect(button, &ui::Control::touchUpInside, this, [this, button] { changeSliderMode(button->serial(), button->status()); });
        // A touch that ends elsewhere chose nothing: the selector shows the device's mode again.
        auto restore = [this] { refreshData(); };
        connect(button, &ui::Control::touchUpOutside, this, restore);
        connect(button, &ui::Control::touchCancel, this, restore);
      }
    }
    cell->name()->setText(text(device.name));
    const QString status = shownStatus(device);
    CustomSliderText* selector = cell->selector();
    for (int k = 0; k < positions; ++k) {
      selector->setTextWithIndex(foundation::localized(kind.positionKeys[k]), k);
      selector->button(k)->setSerial(serial);
      selector->button(k)->setStatus(kind.positionStatuses[k]);
      selector->button(k)->setEnabled(!serial.isEmpty());
    }
    selector->setSelectedWithoutAnim(std::max<int>(0, int(kind.positionStatuses.indexOf(status))));
    cell->setLastRow(last);
    return cell;
  }

  auto* cell = static_cast<Cell*>(tableView->dequeueReusableCellWithIdentifier(QStringLiteral("switch")));
  if (!cell) {
    cell = new Cell(QStringLiteral("switch"), 0);
    CustomSwitch* control = cell->switchControl();
    connect(control, &ui::Control::valueChanged, this, [this, control] {
      // Shutters and the like are sent OPEN/CLOSE, everything else ON/OFF.
      if (control->property("openClose").toBool())
        changeSensorStatusOpenClose(control);
      else
        changeSensorStatusOnOff(control);
    });
  }
  cell->name()->setText(text(device.name));
  CustomSwitch* control = cell->switchControl();
  control->setSerial(serial);
  control->setProperty("openClose", kind.row == RowKind::OpenCloseSwitch);
  control->setOn(true);
  control->setEnabled(!serial.isEmpty());
  cell->setLastRow(last);
  return cell;
}

void AllActiveSensorsTableView::changeSensorStatusOnOff(CustomSwitch* control) {
  const QString status = control->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF");
  send(control->serial(), status);
}

void AllActiveSensorsTableView::changeSensorStatusOpenClose(CustomSwitch* control) {
  const QString status = control->isOn() ? QStringLiteral("OPEN") : QStringLiteral("CLOSE");
  send(control->serial(), status);
}

void AllActiveSensorsTableView::changeSliderMode(const QString& serial, const QString& status) {
  send(serial, status);
}

void AllActiveSensorsTableView::send(const QString& serial, const QString& status) {
  // The home shows the command at once and settles it; the list follows its signals.
  if (!serial.isEmpty()) m_calls.call(BEServiceDevice::getInstance().putStatusWithId(status, serial), {}, {});
}
