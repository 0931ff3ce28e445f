#pragma once
// The home dashboard, the first screen after signing in: at the top a strip of camera still
// images, one page per camera, refreshed in turn; below it, in a scrolling area, the favorite
// that runs now (with a button that stops it), the alarm modes of the three domains, the
// scenarios being played and the devices that are on.
//
// It shows at once what the session store already holds and asks for a fresh dashboard; each
// answer updates the same strip and sections in place. Scrolling the sections up hides the strip
// (they take its room); pulling them down past their top brings it back.
//
// What the controls show is what the home shows (backend::Home: the newest command still out, else
// what the service confirmed), whichever screen sent the command; a refused command puts its
// control back. The camera images come one at a time, the cameras in turn, one every 5 s (the
// first after 5 s divided by the number of cameras), in one cycle per screen whatever the number
// of dashboard answers (controls::CameraImageCycle).
#include "backend/BESessionManager.h"
#include "backend/ServiceCalls.h"
#include "controls/Refreshable.h"
#include "controls/TourStates.h"
#include "controls/camera/CustomPageControl.h"
#include "controls/playstop/CustomPlayStop.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomSwitch.h"
#include "screens/home/HomeCameraStrip.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Screen.h"
#include "ui/ScrollView.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class AllActiveSensorsTableView;
namespace controls {
class AlarmModes;
}
class ScenarioTableViewController;

class MyHomeController : public ui::Screen,
                         public controls::TourStates,
                         public controls::Refreshable,
                         private ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 56;
  static constexpr int kStripHeight = 190;
  static constexpr int kCameraTabHeight = 24;
  static constexpr double kImageIntervalSeconds = 5.0;
  static constexpr int kImageTagBase = HomeCameraStrip::kImageTagBase;
  static constexpr double kHideStripSeconds = 0.8;
  static constexpr double kShowStripSeconds = 0.1;

  explicit MyHomeController(QObject* parent = nullptr);
  ~MyHomeController() override;

  // --- What the screen shows (for its tests and the tour) ---
  const backend::RecordList<VODeviceLight>& cameraSensors() const { return m_strip.cameras(); }
  const backend::RecordList<VOFavorite>& favorites() const { return m_favorites; }
  CustomPageControl* videoPageControl() const { return m_strip.pageControl(); }
  ui::ScrollView* scrollView() const { return m_scrollView; }
  ui::Button* btnReturnToCamera() const { return m_btnReturnToCamera; }
  bool videoPageControlIsVisible() const { return m_videoPageControlIsVisible; }
  ui::Label* favoriteNameLbl() const { return m_favoriteNameLbl; }
  QWidget* favoriteVLine() const { return m_favoriteVLine; }
  CustomPlayStop* favoritePlayStop() const { return m_favoritePlayStop; }
  CustomSliderText* sliderAlarm() const { return m_sliderAlarm; }
  CustomSwitch* switchDomestic() const { return m_switchDomestic; }
  CustomSwitch* switchHomehelp() const { return m_switchHomehelp; }
  ScenarioTableViewController* listScenariosTableView() const { return m_listScenarios.get(); }
  AllActiveSensorsTableView* listSensorsTableView() const { return m_listSensors.get(); }
  // The section backgrounds of the scenarios and the devices, in the scrolling area's content.
  QRect bgScenarioFrame() const { return m_bgScenarioFrame; }
  QRect bgSensorFrame() const { return m_bgSensorFrame; }
  ui::Label* lblTitleSensors() const { return m_lblTitleSensors; }
  // The image view of camera `index` in the strip (tag 10000 + index), if there is one.
  ui::ImageView* cameraImageView(int index) const { return m_strip.imageView(index); }
  int lastImgDownloadedIndex() const { return m_strip.cycle().lastIndex(); }
  // Whether the image cycle runs: a session start, an image request or the timer is out.
  bool imageCycleRunning() const { return m_strip.cycle().isRunning(); }
  bool timerIsActif() const { return m_strip.cycle().isWaiting(); }
  // Answers (or failures) to this screen's dashboard reads so far; an unchanged refresh counts none.
  int dashboardAnswers() const { return m_dashboardAnswers; }

  // --- Handlers, also called directly by tests ---
  // A dashboard answer, or a failed fetch: the screen shows what the store holds.
  void onGetDashBoard();
  void onGetDashBoardError() { onGetDashBoard(); }
  // The favorite's control was tapped to stop it.
  void stopFavorite();
  // Lays the scenario and device sections out to their lists.
  void adjustScenarioBgAndContentHeight();
  // Hides or shows the camera strip as the sections scroll.
  void scrollViewDidScroll(ui::ScrollView* scrollView) override;

  std::vector<State> tourStates() override;

  // Asks for the dashboard again; the answer updates the screen in place.
  void refresh() override;
  std::vector<backend::DataSet> dataShown() const override { return {backend::DataSet::Dashboard}; }
  ui::ScrollView* refreshScrollView() override { return m_scrollView; }

 protected:
  void viewDidLoad() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fetchDashboard();
  // Brings the camera strip to the stored dashboard's cameras.
  void updateStrip();
  void initFixedPartContent();
  void refreshFavorite();
  void hideVideoPageControl();
  void seeVideoPageControl();
  void layoutView();
  int contentTop() const;

  backend::RecordList<VOFavorite> m_favorites;

  QPointer<ui::ImageView> m_header;
  QPointer<ui::Label> m_title;
  HomeCameraStrip m_strip;
  QPointer<ui::ScrollView> m_scrollView;
  QPointer<ui::Button> m_btnReturnToCamera;
  bool m_videoPageControlIsVisible = true;

  QPointer<ui::ImageView> m_bgFavorite;
  QPointer<ui::ImageView> m_bgSecurity;
  QPointer<ui::ImageView> m_bgScenario;
  QPointer<ui::ImageView> m_bgSensor;
  QRect m_bgScenarioFrame;
  QRect m_bgSensorFrame;
  QPointer<ui::Label> m_favoriteNameLbl;
  QPointer<QWidget> m_favoriteVLine;
  QPointer<CustomPlayStop> m_favoritePlayStop;
  QPointer<CustomSliderText> m_sliderAlarm;
  QPointer<CustomSwitch> m_switchDomestic;
  QPointer<CustomSwitch> m_switchHomehelp;
  QPointer<controls::AlarmModes> m_alarmModes;
  QPointer<ui::Label> m_lblTitleScenarios;
  QPointer<ui::Label> m_lblTitleSensors;
  std::unique_ptr<ScenarioTableViewController> m_listScenarios;
  std::unique_ptr<AllActiveSensorsTableView> m_listSensors;


  int m_dashboardAnswers = 0;
  backend::ServiceCalls m_calls;
};
