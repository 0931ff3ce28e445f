#pragma once
// The history list: one row per event the gateway logged, in the answer's order, without the
// events that are not shown. It asks for the history itself (getList), rebuilds from the session
// store on the answer or the error, and then announces contentChanged() to its screen.
//
// Only the rows in view have widgets; heights come from the records alone, so a list of ten
// thousand events costs ten thousand small numbers and a screenful of cells.
#include "backend/ServiceCalls.h"
#include "ui/TableView.h"

#include <memory>
#include <vector>

class VOHistory;

class MyHistoryTableView : public ui::TableView, public ui::TableViewDataSource, public ui::TableViewDelegate {
  Q_OBJECT
 public:
  explicit MyHistoryTableView(const QRect& frame, QWidget* parent = nullptr);
  ~MyHistoryTableView() override;

  // Fetches the history, with the progress overlay until the answer unless told otherwise (a
  // refresh of the list on show keeps it usable).
  void getList(bool withOverlay = true);
  // Asks again to stay current; rebuilds only when the answer changed the list.
  void refresh();
  // Rebuilds from the session store.
  void refreshData();

  const std::vector<std::shared_ptr<VOHistory>>& histories() const { return m_histories; }
  // The sum of the rows' heights.
  int contentHeight() const { return m_contentHeight; }

  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

 signals:
  void contentChanged();

 private:
  int emptyRowHeight() const;

  std::vector<std::shared_ptr<VOHistory>> m_histories;
  int m_contentHeight = 0;
  backend::ServiceCalls m_calls;
};
