#pragma once
// The list of one family of devices (lights, openings, heating), one row per device of the
// session store's device list whose type the family knows, each with the control of its kind. The
// list sends the commands of its controls; each row shows what the home shows for its device (the
// newest command still out, else what the service confirmed: see backend::Home), and follows it
// whichever screen sent the command.
//
// Rebuilding (refreshData) happens in place: each device keeps its row and its control from one
// rebuild to the next, so a list answer that arrives again only updates what the rows show.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "screens/devicelist/DeviceRows.h"
#include "ui/TableView.h"

#include <QPointer>

#include <functional>
#include <optional>

class CustomAutoSwitch;
class CustomButton;
class CustomSliderText;
class CustomSwitch;

namespace ui {
class Label;
}

namespace devicelist {

// One row: the device's name and its control, drawn on the card that holds the list.
class DeviceCell : public ui::TableViewCell {
  Q_OBJECT
 public:
  DeviceCell(const QString& reuseIdentifier, const RowKind& kind, const QString& colorId);

  const RowKind& kind() const { return m_kind; }
  const QString& serial() const { return m_serial; }
  void setSerial(const QString& serial);
  void setBottomLineHidden(bool hidden);
  ui::Label* nameLabel() const { return m_name; }
  // Under the name of a pulse row: that the device takes a pulse, not a lasting state.
  ui::Label* captionLabel() const { return m_caption; }
  // The switch of a switch or pulse row (a CustomAutoSwitch for a pulse), else nullptr.
  CustomSwitch* switchControl() const { return m_switch; }
  CustomAutoSwitch* pulseSwitch() const;
  CustomSliderText* selector() const { return m_selector; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  RowKind m_kind;
  QString m_serial;
  ui::Label* m_name = nullptr;
  ui::Label* m_caption = nullptr;
  QWidget* m_divider = nullptr;
  QWidget* m_bottomLine = nullptr;
  CustomSwitch* m_switch = nullptr;
  CustomSliderText* m_selector = nullptr;
};

class DeviceListTableView : public ui::TableView, public ui::TableViewDataSource, public ui::TableViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 50;

  // What tells one family from another.
  struct Family {
    QString colorId;             // theme of the row controls
    const char* emptyTextKey;    // the only row when the family has no device, under its picture
    QString emptyImage;
    // The row of a device type, or nothing for a type outside the family.
    std::function<std::optional<RowKind>(const QString& type)> rowKindFor;
  };

  DeviceListTableView(const QRect& frame, Family family, QWidget* parent);
  ~DeviceListTableView() override;

  // The devices shown, in the order of the session store's list.
  const backend::RecordList<VODevice>& sensors() const { return m_sensors; }
  std::optional<RowKind> rowKindFor(const VODevice& device) const;

  // Rebuilds the rows from the session store's devices.
  void refreshData();
  // Sum of the heights of the rows.
  int contentHeight() const { return contentSize().height(); }

  const QString& colorId() const { return m_family.colorId; }
  QString emptyText() const;

  // The row of the device while it is in view.
  DeviceCell* cellForSerial(const QString& serial) const;
  // Sends `status` for the device, as its row's control does.
  void sendStatus(const QString& serial, const QString& status);
  std::size_t commandsOut() const { return m_calls.pendingCount(); }

  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

 signals:
  // After every rebuild: the screen sizes the list to its content.
  void contentHeightChanged();

 private:
  ui::TableViewCell* emptyCell();
  DeviceCell* makeCell(const QString& identifier, const RowKind& kind);
  // Puts the row's control in the state the device shows now, without reporting anything.
  void showState(DeviceCell* cell);
  void showStateOf(const QString& serial);

  void switchChanged(CustomSwitch* control);
  void pulseChanged(CustomSwitch* control);
  void positionChosen(CustomButton* button);

  Family m_family;
  backend::RecordList<VODevice> m_sensors;
  backend::ServiceCalls m_calls;
  int m_emptyRowHeight = 0;
};

}  // namespace devicelist
