#pragma once
// The history screen: a title band, and below it the list of the gateway's events, which asks for
// them once when the screen opens.
#include "controls/Refreshable.h"
#include "controls/TourStates.h"
#include "ui/Screen.h"

class MyHistoryTableView;

namespace ui {
class ImageView;
class Label;
}

class MyHistoryController : public ui::Screen, public controls::TourStates, public controls::Refreshable {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 50;

  MyHistoryController();
  ~MyHistoryController() override;

  MyHistoryTableView* historyTableView() const { return m_list; }
  // Gives the list its height from its rows (never less than a screenful).
  void changeScrollContentSize();

  std::vector<State> tourStates() override;
  // Asks again while the screen is open (new events join at the top); the rows keep their place.
  void refresh() override;
  std::vector<backend::DataSet> dataShown() const override { return {backend::DataSet::History}; }
  ui::ScrollView* refreshScrollView() override;

 protected:
  void viewDidLoad() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layout();

  ui::ImageView* m_header = nullptr;
  ui::Label* m_title = nullptr;
  MyHistoryTableView* m_list = nullptr;
};
