#pragma once
// The user's favorites, one row each with a play/stop control that starts or stops it. The list
// asks for the favorites as it is made (with the progress overlay) and does not scroll by itself:
// its screen places tableView() in a scrolling area and sizes it on contentChanged().
//
// A row shows what the home shows for the favorite (see backend::Home), whichever screen sent the
// command: starting a favorite shows it running and every other one stopped (the gateway runs one
// favorite at a time), stopping it shows it stopped, and a refusal puts the rows back to what the
// service last confirmed. Identifiers go from the record to the command as text; a favorite
// without one cannot be pressed.
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "ui/TableView.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <vector>

class CustomPlayStop;

class MyFavoritesTableView : public QObject, private ui::TableViewDataSource, private ui::TableViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 50;
  // The empty-list text sits over the upper half of the screen's list.
  static constexpr int kEmptyRowHeight = 178;

  // The table view is made at once, without a parent; the owner adopts it.
  explicit MyFavoritesTableView(QObject* parent = nullptr);
  ~MyFavoritesTableView() override;

  ui::TableView* tableView() const { return m_tableView; }
  // The rows shown (shared with the session store).
  const backend::RecordList<VOFavorite>& favorites() const { return m_favorites; }
  int contentHeight() const;

  // Rebuilds the rows from the session store and announces contentChanged().
  void refreshData();
  // Asks the service for the list again.
  void fetch(bool withOverlay);
  // Asks again to stay current; rebuilds only when the answer changed the list.
  void refresh();

  // Whether the row of `favorite` shows it running.
  bool shownRunning(const VOFavorite& favorite) const;
  CustomPlayStop* controlForRow(int row) const;
  QString emptyText() const;
  std::size_t pendingCommands() const { return m_calls.pendingCount(); }

 signals:
  void contentChanged();

 private:
  class Cell;
  void changeFavoriteStatus(CustomPlayStop* control);
  // Redraws the rows without announcing a change of size.
  void redraw();

  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

  QPointer<ui::TableView> m_tableView;
  backend::RecordList<VOFavorite> m_favorites;
  backend::ServiceCalls m_calls;
};
