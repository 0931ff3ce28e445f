#pragma once
// The shell shared by the lighting, shutters and heating screens: a header with the screen's
// picture and title, a scrolling area below it holding the family's device list, a "Scenarios"
// button that opens the family's scenario screen, and the device list fetch.
//
// The screen asks for the device list when it is created and shows the progress overlay until the
// answer. Every device list answer that arrives while it exists (its own, or one another screen
// asked for) rebuilds the list in place; a failed fetch rebuilds it from what the store holds.
#include "backend/ServiceCalls.h"
#include "controls/Refreshable.h"
#include "controls/TourStates.h"
#include "screens/devicelist/DeviceListTableView.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/ScrollView.h"

#include <QPointer>

#include <functional>

namespace devicelist {

class DeviceScreen : public ui::Screen, public controls::TourStates, public controls::Refreshable {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 60;
  static constexpr int kListHeight = 355;  // the scrolling area below the header
  static constexpr int kListMargin = 10;    // around the card that holds the rows

  struct Look {
    const char* titleKey;
    QString headerImage;
    // Opens the family's scenario screen; empty: no "Scenarios" button.
    std::function<ui::Screen*()> scenarioScreen;
    // Makes the family's list in the given frame.
    std::function<DeviceListTableView*(const QRect& frame)> makeList;
  };

  ~DeviceScreen() override;

  DeviceListTableView* listTableView() const { return m_list; }
  ui::ScrollView* tableScrollView() const { return m_scrollView; }
  ui::ImageView* headerView() const { return m_header; }
  ui::Label* titleLabel() const { return m_title; }

  // Shows the overlay and asks the device service for the device list.
  void fetch();
  // Asks again without the overlay (the app keeps the open screen current); the rows rebuild in place.
  void refresh() override;
  std::vector<backend::DataSet> dataShown() const override { return {backend::DataSet::Devices}; }
  ui::ScrollView* refreshScrollView() override { return m_scrollView; }
  // The list is as high as its rows, on a card with a margin around it; the area scrolls when the
  // card does not fit.
  void changeScrollContentSize();
  // Opens the scenario screen of the family above this one.
  void scenarioClicked();

  // The tour also shows the end of a list taller than the area, and the scenario screen.
  std::vector<State> tourStates() override;

 protected:
  DeviceScreen(Look look, QObject* parent);

  void loadView() override;

 private:

  Look m_look;
  QPointer<DeviceListTableView> m_list;
  QPointer<ui::ScrollView> m_scrollView;
  QPointer<ui::ImageView> m_header;
  QPointer<ui::ImageView> m_card;
  QPointer<ui::Label> m_title;
  backend::ServiceCalls m_calls;
};

}  // namespace devicelist
