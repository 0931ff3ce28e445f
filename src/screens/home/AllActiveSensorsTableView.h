#pragma once
// The dashboard's "devices on" section: every light that is on, every opening that is on or open
// and every heating device, taken from the stored dashboard, with a control per device: a switch
// that turns it off (or closes it), or for heating devices with modes a selector of 2, 3 or 4
// positions. The list does not scroll by itself; its owner sizes it by contentHeight() on
// contentChanged().
//
// A row shows what the home shows for its device (the newest command still out, else what the
// service confirmed: see backend::Home): a device switched off leaves the list at once and comes
// back, on, if the command fails; a mode chosen on a selector shows at once and goes back to the
// confirmed one if the command fails.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "ui/TableView.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class CustomSliderText;
class CustomSwitch;

class AllActiveSensorsTableView : public QObject, private ui::TableViewDataSource, private ui::TableViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kSwitchRowHeight = 50;
  static constexpr int kSelectorRowHeight = 100;

  enum class RowKind { Switch, OpenCloseSwitch, Selector };

  // What a device shows and sends: its kind, and for selectors the position texts' keys and the
  // status each position sends.
  struct Kind {
    RowKind row = RowKind::Switch;
    QStringList positionKeys;
    QStringList positionStatuses;
  };
  static Kind kindOf(const QString& type);
  // Whether a dashboard device of `type` with `status` is listed (and into which family: 0 lights,
  // 1 openings, 2 heating); -1 when it is not.
  static int familyOf(const QString& type, const QString& status);

  // Builds the rows at once from the stored dashboard. The table view is made without a parent;
  // the owner adopts it.
  explicit AllActiveSensorsTableView(QObject* parent = nullptr);
  ~AllActiveSensorsTableView() override;

  ui::TableView* tableView() const { return m_tableView; }
  const backend::RecordList<VODeviceLight>& sensors() const { return m_sensors; }
  const backend::RecordList<VODeviceLight>& lighting() const { return m_lighting; }
  const backend::RecordList<VODeviceLight>& opening() const { return m_opening; }
  const backend::RecordList<VODeviceLight>& heating() const { return m_heating; }
  // The height of every row together (the empty row counts 50).
  int contentHeight() const { return m_contentHeight; }

  // Rebuilds the rows from the stored dashboard and announces contentChanged().
  void refreshData();

  // The controls of a row while it is in view.
  CustomSwitch* switchForRow(int row) const;
  CustomSliderText* selectorForRow(int row) const;
  QString emptyText() const;
  std::size_t pendingCommands() const { return m_calls.pendingCount(); }

 signals:
  void contentChanged();

 private:
  class Cell;
  // The status a device shows: the confirmed one, overridden by the commands on their way.
  QString shownStatus(const VODeviceLight& device) const;
  void changeSensorStatusOnOff(CustomSwitch* control);
  void changeSensorStatusOpenClose(CustomSwitch* control);
  void changeSliderMode(const QString& serial, const QString& status);
  void send(const QString& serial, const QString& status);

  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

  QPointer<ui::TableView> m_tableView;
  backend::RecordList<VODeviceLight> m_sensors;
  backend::RecordList<VODeviceLight> m_lighting;
  backend::RecordList<VODeviceLight> m_opening;
  backend::RecordList<VODeviceLight> m_heating;
  int m_contentHeight = 0;
  backend::ServiceCalls m_calls;
};
