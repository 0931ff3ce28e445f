#pragma once
// The history screen: a title band, and below it the list of the gateway's events, which asks for
// them once when the screen opens.
#include "controls/TourStates.h"
#include "foundation/NotificationCenter.h"
#include "ui/Screen.h"

class MyHistoryTableView;

namespace ui {
class ImageView;
class Label;
}

class MyHistoryController : public ui::Screen, public controls::TourStates {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 50;

  MyHistoryController();
  ~MyHistoryController() override;

  MyHistoryTableView* historyTableView() const { return m_list; }
  // Gives the list its height from its rows (never less than a screenful).
  void changeScrollContentSize();

  std::vector<State> tourStates() override;

 protected:
  void viewDidLoad() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layout();

  ui::ImageView* m_header = nullptr;
  ui::Label* m_title = nullptr;
  MyHistoryTableView* m_list = nullptr;
  foundation::Observations m_observations;
};
