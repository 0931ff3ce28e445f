#include "screens/devicelist/DeviceListTableView.h"

#include "backend/BEServiceDevice.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomAutoSwitch.h"
#include "controls/switches/CustomButton.h"
#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace devicelist {

namespace {

constexpr int kNameLeft = 15;
constexpr int kSwitchRight = 12;    // from the switch to the row's right edge
constexpr int kDividerGap = 12;     // from the divider to the switch
constexpr int kSelectorRight = 10;  // a selector ends this far from the right edge
constexpr int kSelectorTop = 30;
const QColor kNameColor(0x1b, 0x24, 0x33);
const QColor kCaptionColor(0x7a, 0x84, 0x94);
const QColor kLineColor(0xdc, 0xdf, 0xe5);

QString identifierFor(const QString& serial, const RowKind& kind) {
  // One cell per device and kind: a rebuild gives each device its own row back.
  return QStringLiteral("%1|%2|%3").arg(int(kind.control)).arg(kind.statuses.size()).arg(serial);
}

}  // namespace

// --- DeviceCell ---

DeviceCell::DeviceCell(const QString& reuseIdentifier, const RowKind& kind, const QString& colorId)
    : ui::TableViewCell(reuseIdentifier), m_kind(kind) {
  setSelectionStyle(SelectionStyle::None);

  m_name = new ui::Label(contentView());
  m_name->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 14));
  m_name->setTextColor(kNameColor);
  m_name->setNumberOfLines(2);

  m_bottomLine = new QWidget(contentView());
  ui::setBackgroundColor(m_bottomLine, kLineColor);

  switch (kind.control) {
    case RowKind::Control::Switch:
      m_switch = new CustomSwitch(QPoint(), false, colorId, contentView());
      break;
    case RowKind::Control::Pulse:
      m_switch = new CustomAutoSwitch(QPoint(), false, colorId, contentView());
      m_caption = new ui::Label(contentView());
      m_caption->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 11));
      m_caption->setTextColor(kCaptionColor);
      m_caption->setText(foundation::localized("Pulse"));
      m_name->setNumberOfLines(1);
      break;
    case RowKind::Control::Selector: {
      m_selector = new CustomSliderText(QPoint(), int(kind.statuses.size()), 0, colorId, contentView());
      for (int k = 0; k < m_selector->numberOfSection(); ++k) {
        m_selector->setTextWithIndex(foundation::localized(kind.titleKeys.value(k)), k);
        m_selector->button(k)->setStatus(kind.statuses.value(k));
      }
      break;
    }
  }
  if (m_switch) {
    m_divider = new QWidget(contentView());
    ui::setBackgroundColor(m_divider, kLineColor);
  }
}

CustomAutoSwitch* DeviceCell::pulseSwitch() const { return qobject_cast<CustomAutoSwitch*>(m_switch); }

void DeviceCell::setSerial(const QString& serial) {
  m_serial = serial;
  if (m_switch) m_switch->setSerial(serial);
  if (m_selector)
    for (int k = 0; k < m_selector->numberOfSection(); ++k) m_selector->button(k)->setSerial(serial);
}

void DeviceCell::setBottomLineHidden(bool hidden) { m_bottomLine->setVisible(!hidden); }

void DeviceCell::resizeEvent(QResizeEvent* event) {
  ui::TableViewCell::resizeEvent(event);
  const int w = width();
  const int h = height();
  m_bottomLine->setGeometry(kNameLeft, h - 1, w - 2 * kNameLeft, 1);
  if (m_switch) {
    const int switchX = w - kSwitchRight - CustomSwitch::kWidth;
    m_switch->move(switchX, (h - CustomSwitch::kHeight) / 2);
    m_divider->setGeometry(switchX - kDividerGap, 9, 1, h - 18);
    const int nameWidth = switchX - kDividerGap - 8 - kNameLeft;
    if (m_caption) {
      m_name->setGeometry(kNameLeft, 7, nameWidth, 20);
      m_caption->setGeometry(kNameLeft, 27, nameWidth, 15);
    } else {
      m_name->setGeometry(kNameLeft, 0, nameWidth, h - 1);
    }
  } else if (m_selector) {
    m_selector->move(w - kSelectorRight - m_selector->width(), kSelectorTop);
    m_name->setGeometry(kNameLeft, 4, w - 2 * kNameLeft, kSelectorTop - 4);
  }
}

// --- DeviceListTableView ---

DeviceListTableView::DeviceListTableView(const QRect& frame, Family family, QWidget* parent)
    : ui::TableView(frame, parent), m_family(std::move(family)), m_emptyRowHeight(frame.height() / 2) {
  // The screen's scrolling area moves the list; it never scrolls by itself.
  setScrollEnabled(false);
  setAlwaysBounceVertical(false);
  setShowsVerticalScrollIndicator(false);
  setSeparatorStyle(SeparatorStyle::None);
  setAllowsSelection(false);
  setDataSource(this);
  setDelegate(this);
  backend::Home& home = BESessionManager::getInstance().home();
  // Every list filed, whoever asked for it, and every command, whichever screen sent it.
  connect(&home, &backend::Home::devicesChanged, this, &DeviceListTableView::refreshData);
  connect(&home, &backend::Home::cleared, this, &DeviceListTableView::refreshData);
  connect(&home, &backend::Home::deviceChanged, this, &DeviceListTableView::showStateOf);
  refreshData();
}

DeviceListTableView::~DeviceListTableView() {
  setDataSource(nullptr);
  setDelegate(nullptr);
}

std::optional<RowKind> DeviceListTableView::rowKindFor(const VODevice& device) const {
  if (!device.type || !device.serial) return std::nullopt;
  return m_family.rowKindFor(QString::fromStdString(*device.type));
}

QString DeviceListTableView::emptyText() const { return foundation::localized(m_family.emptyTextKey); }

void DeviceListTableView::refreshData() {
  backend::RecordList<VODevice> sensors;
  for (const auto& device : BESessionManager::getInstance().devices())
    if (device && rowKindFor(*device)) sensors.push_back(device);
  m_sensors = std::move(sensors);
  reloadData();
  emit contentHeightChanged();
}

int DeviceListTableView::tableViewNumberOfRowsInSection(ui::TableView*, int) {
  return m_sensors.empty() ? 1 : int(m_sensors.size());
}

int DeviceListTableView::tableViewHeightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  if (m_sensors.empty()) return m_emptyRowHeight;
  return rowKindFor(*m_sensors[size_t(indexPath.row)])->height();
}

ui::TableViewCell* DeviceListTableView::tableViewCellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& indexPath) {
  if (m_sensors.empty()) return emptyCell();
  const VODevice& device = *m_sensors[size_t(indexPath.row)];
  const RowKind kind = *rowKindFor(device);
  const QString serial = QString::fromStdString(*device.serial);
  const QString identifier = identifierFor(serial, kind);
  auto* cell = qobject_cast<DeviceCell*>(dequeueReusableCellWithIdentifier(identifier));
  if (!cell) cell = makeCell(identifier, kind);
  cell->setSerial(serial);
  // The card's edge closes the last row.
  cell->setBottomLineHidden(indexPath.row == int(m_sensors.size()) - 1);
  cell->nameLabel()->setText(QString::fromStdString(device.name.value_or("")));
  showState(cell);
  return cell;
}

ui::TableViewCell* DeviceListTableView::emptyCell() {
  static const QString identifier = QStringLiteral("empty");
  ui::TableViewCell* cell = dequeueReusableCellWithIdentifier(identifier);
  if (!cell) {
    cell = new ui::TableViewCell(identifier);
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    constexpr int kPicture = 72;
    auto* picture = new ui::ImageView(QRect((width() - kPicture) / 2, m_emptyRowHeight / 2 - kPicture + 10, kPicture, kPicture),
                                      cell->contentView());
    picture->setImageName(m_family.emptyImage);
    auto* label = new ui::Label(QRect(15, m_emptyRowHeight / 2 + 18, width() - 30, 44), cell->contentView());
    label->setObjectName(QStringLiteral("emptyLabel"));
    label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 14));
    label->setTextColor(kNameColor);
    label->setTextAlignment(Qt::AlignHCenter);
    label->setNumberOfLines(2);
  }
  cell->findChild<ui::Label*>(QStringLiteral("emptyLabel"))->setText(emptyText());
  return cell;
}

DeviceCell* DeviceListTableView::makeCell(const QString& identifier, const RowKind& kind) {
  auto* cell = new DeviceCell(identifier, kind, m_family.colorId);
  if (CustomSwitch* control = cell->switchControl()) {
    // A switch reports once per completed touch, already showing its new state; a touch that a
    // scroll takes over reports nothing and leaves it as it was.
    if (kind.control == RowKind::Control::Pulse) {
      connect(control, &ui::Control::valueChanged, this, [this, control] { pulseChanged(control); });
    } else {
      connect(control, &ui::Control::valueChanged, this, [this, control] { switchChanged(control); });
    }
  }
  if (CustomSliderText* selector = cell->selector()) {
    for (int k = 0; k < selector->numberOfSection(); ++k) {
      CustomButton* button = selector->button(k);
      // The selector has moved as the finger landed; only a touch that ends on the button chooses
      // (the selector itself goes back otherwise).
      connect(button, &ui::Control::touchUpInside, this, [this, button] { positionChosen(button); });
    }
  }
  return cell;
}

DeviceCell* DeviceListTableView::cellForSerial(const QString& serial) const {
  for (ui::TableViewCell* cell : visibleCells())
    if (auto* row = qobject_cast<DeviceCell*>(cell); row && row->serial() == serial) return row;
  return nullptr;
}

void DeviceListTableView::showState(DeviceCell* cell) {
  const RowKind& kind = cell->kind();
  const QString status = BESessionManager::getInstance().home().deviceStatus(cell->serial());
  switch (kind.control) {
    case RowKind::Control::Switch:
      cell->switchControl()->setOnAnimated(kind.showsOn(status), false);
      break;
    case RowKind::Control::Pulse:
      // A pulse has no lasting state to show: the switch is off unless it is in its own return.
      break;
    case RowKind::Control::Selector:
      cell->selector()->setSelectedWithoutAnim(kind.position(status));
      break;
  }
}

void DeviceListTableView::showStateOf(const QString& serial) {
  if (DeviceCell* cell = cellForSerial(serial)) showState(cell);
}

void DeviceListTableView::sendStatus(const QString& serial, const QString& status) {
  // The home shows the command at once and settles it; the rows follow its signals.
  m_calls.call(BEServiceDevice::getInstance().putStatusWithId(status, serial), {}, {});
}

void DeviceListTableView::switchChanged(CustomSwitch* control) {
  auto* cell = cellForSerial(control->serial());
  if (!cell) return;
  sendStatus(control->serial(), cell->kind().statuses.value(control->isOn() ? 0 : 1));
}

void DeviceListTableView::pulseChanged(CustomSwitch* control) {
  // Only the switch-on is heard; the return to off is the switch's own business.
  if (!control->isOn()) return;
  auto* cell = cellForSerial(control->serial());
  if (!cell) return;
  const QString serial = control->serial();
  const QString status = cell->kind().statuses.value(0);
  QPointer<CustomSwitch> guard(control);
  m_calls.call(BEServiceDevice::getInstance().putPulseWithId(status, serial), {},
               [guard] {
                 // Refused: the switch is free again at once instead of after its 3 s.
                 if (auto* pulse = qobject_cast<CustomAutoSwitch*>(guard.data()); pulse && pulse->isOn()) pulse->returnToOff();
               });
}

void DeviceListTableView::positionChosen(CustomButton* button) { sendStatus(button->serial(), button->status()); }

}  // namespace devicelist
