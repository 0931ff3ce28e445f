#pragma once
// The stored camera recordings under the camera pages: one 60-point row per recording of the
// session store (alert or on-demand recording, its date, the sensor that triggered it) with a
// play button. Pressing play selects that recording and emits playbackChosen().
#include "backend/BESessionManager.h"
#include "ui/Screen.h"
#include "ui/TableView.h"

#include <memory>

class VOVideoRec;

namespace ui {
class Button;
}

class MyRecTableViewController : public ui::Screen, public ui::TableViewDataSource, public ui::TableViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 60;
  static constexpr int kFirstLineTag = 3000;
  static constexpr int kDateTag = 4000;
  static constexpr int kSensorTag = 5000;
  static constexpr int kPlayButtonTag = 6000;
  // The button's property holding the identifier of its recording, as text.
  static constexpr const char* kRecordingIdentifierProperty = "recordingIdentifier";

  explicit MyRecTableViewController(QObject* parent = nullptr);
  ~MyRecTableViewController() override;

  ui::TableView* tableView();
  // Rebuilds the rows from the session store's recordings.
  void refreshData();

  const backend::RecordList<VOVideoRec>& recs() const { return m_recs; }
  // The recording whose play button was pressed last; null before any.
  const std::shared_ptr<VOVideoRec>& selectedRec() const { return m_selectedRec; }
  // The play button of a row: selects the first recording with the button's identifier (none
  // when the list no longer has it) and emits playbackChosen().
  void runPlayBack(ui::Button* sender);

  // Height of all the rows: the empty list counts one row of `emptyHeight`.
  int contentHeight(int emptyHeight) const;

  int numberOfSectionsInTableView(ui::TableView*) override { return 1; }
  int tableViewNumberOfRowsInSection(ui::TableView* tableView, int section) override;
  ui::TableViewCell* tableViewCellForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;
  int tableViewHeightForRowAtIndexPath(ui::TableView* tableView, const ui::IndexPath& indexPath) override;

 signals:
  // A play button was pressed; selectedRec() says which recording (null: none matched).
  void playbackChosen();

 protected:
  void loadView() override;
  void viewDidLoad() override;

 private:
  ui::TableViewCell* getCellContentView(const QString& identifier);
  ui::TableViewCell* emptyCell(ui::TableView* tableView);

  backend::RecordList<VOVideoRec> m_recs;
  std::shared_ptr<VOVideoRec> m_selectedRec;
};
