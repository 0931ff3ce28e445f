#pragma once
// A list of scenarios with a play/stop control per row, in one of four modes fixed at creation:
// "LIGHTING", "OPENINGS" or "CLIMATIC" (every scenario of that category, fetched from the
// service, each of which the user can start or stop), or "PLAYED" (the scenarios of the stored
// dashboard that run now, which the user can only stop). Any other filter lists that category
// in red.
//
// The list does not scroll by itself: its owner places tableView() in a scrolling area and sizes
// it on contentChanged().
//
// What a row shows is what the home shows for the scenario (the newest command still out, else
// what the service confirmed: see backend::Home), whichever screen sent the command: a tap shows
// the new state at once, and a refusal puts the row back. Identifiers go from the record to the
// command as text; a row whose scenario has no identifier cannot be pressed.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "ui/TableView.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <vector>

class CustomPlayStop;

class ScenarioTableViewController : public QObject, private ui::TableViewDataSource, private ui::TableViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 50;

  // `filter` empty means "LIGHTING". The table view is made at once, without a parent; the owner
  // adopts it. Domain modes ask for the scenario list at once (with the progress overlay).
  explicit ScenarioTableViewController(const QString& filter = QStringLiteral("LIGHTING"), QObject* parent = nullptr);
  ~ScenarioTableViewController() override;

  ui::TableView* tableView() const { return m_tableView; }
  const QString& filterStr() const { return m_filter; }
  bool isPlayedMode() const { return m_filter == QLatin1String("PLAYED"); }
  // The colour theme of the controls and the key of the empty-list text, by mode.
  QString colorId() const;
  QString emptyTextKey() const;

  // The rows shown (shared with the session store).
  const backend::RecordList<VOScenario>& scenarios() const { return m_scenarios; }
  // Height of every row together (one row when the list is empty).
  int contentHeight() const;

  // Rebuilds the rows from the session store (in place) and announces contentChanged().
  void refreshData();
  // Asks the service for the scenarios again (domain modes); the answer rebuilds the rows.
  void fetch(bool withOverlay = true);
  // Asks again to stay current; rebuilds only when the answer changed the list.
  void refresh();

  // The control of the row showing `row`, while that row is in view.
  CustomPlayStop* controlForRow(int row) const;
  // The empty-list text, while the list is empty.
  QString emptyText() const;

  // How many commands are waiting for their answer.
  std::size_t pendingCommands() const { return m_calls.pendingCount(); }

 signals:
  // After every rebuild: the rows changed, their owner lays them out again.
  void contentChanged();

 private:
  class Cell;

  // The user toggled the control of a scenario: it now shows what the user asked for.
  void controlToggled(CustomPlayStop* control);
  void sendStatus(const QString& identifier, bool running);
  // What the home shows for the scenario.
  bool shownRunning(const VOScenario& scenario) const;

  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

  QString m_filter;
  QPointer<ui::TableView> m_tableView;
  backend::RecordList<VOScenario> m_scenarios;
  backend::ServiceCalls m_calls;
};
