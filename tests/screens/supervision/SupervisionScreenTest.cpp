// The supervision screen against the simulated service, on the app's manual clock: the still
// picture cycle, the start of a live video, the video mode and its menus, the camera commands
// and the gateway's refusals.
#include "SupervisionTestSupport.h"

#include "app/RootViewController.h"
#include "backend/BENotifications.h"
#include "backend/BEServiceCamera.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/VideoRecords.h"
#include "controls/camera/CustomPageControl.h"
#include "controls/UISessionManager.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "foundation/Strings.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/MyRecTableViewController.h"
#include "screens/supervision/VideoFrameView.h"
#include "rest/network/NetworkActivity.h"
#include "support/Wait.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QJsonDocument>
#include <QTest>

namespace supervisiontest {

int SupervisionTest::pageOf(MySupervisionController* screen, const QString& serial) const {
  for (size_t i = 0; i < screen->cameraSensors().size(); ++i)
    if (screen->cameraSensors()[i]->serial == serial.toStdString()) return int(i);
  ADD_FAILURE() << "no camera " << serial.toStdString();
  return 0;
}

void SupervisionTest::startLiveVideo(MySupervisionController* screen, const QString& serial) {
  screen->showCameraPage(pageOf(screen, serial));
  screen->playCurrentCamera();
  ASSERT_TRUE(advanceUntil([&] { return screen->moviePlayer() != nullptr; }, MySupervisionController::kPlayerStartMaxSeconds + 1))
      << "the player did not start";
}

class SupervisionScreenTest : public SupervisionTest {
 protected:
  void gateway(const QJsonObject& body) {
    ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/gateway"), QJsonDocument(body).toJson()).status / 100, 2);
  }
  // The picture of a page shows a decoded still (not the placeholder).
  static bool hasStill(MySupervisionController* screen, int page) {
    ui::ImageView* picture = screen->pictureOfPage(page);
    return picture && !picture->image().isNull() && picture->imageName().isEmpty();
  }
};

TEST_F(SupervisionScreenTest, StillPicturesComeInTurnFiveSecondsAfterEachAnswerInOneCycle) {
  auto* screen = openSupervision();
  ASSERT_EQ(screen->cameraSensors().size(), 3u);
  EXPECT_EQ(screen->videoPageControl()->kNumberOfPages(), 3);
  EXPECT_EQ(screen->videoPageControl()->pageTitle()->text(), "Caméra entrée");
  ASSERT_TRUE(tbtest::waitUntil([&] { return hasStill(screen, 0); })) << "the first camera's picture came at once";

  const QStringList order{"CAM-ENTREE", "CAM-JARDIN", "CAM-RUE", "CAM-ENTREE"};
  for (int turn = 1; turn < order.size(); ++turn) {
    if (turn == 2) {
      // The recordings answered again (someone else asked): still one cycle.
      BEServiceCamera::getInstance().getRecList();
      BEServiceCamera::getInstance().getRecList();
      ASSERT_TRUE(waitIdle());
    }
    advance(4.9);
    tbtest::processEventsFor(50);
    ASSERT_EQ(sent("GET", "/video/image/").size(), turn) << "nothing before 5 s";
    advance(0.1);
    ASSERT_TRUE(tbtest::waitUntil([&] { return sent("GET", "/video/image/").size() == turn + 1; }));
    ASSERT_TRUE(waitIdle());
  }
  EXPECT_EQ(sent("GET", "/video/image/"), order);
  EXPECT_EQ(sent("PUT", "/video/image/start/"), QStringList{"0"}) << "one image session";
  EXPECT_TRUE(hasStill(screen, 1));
  EXPECT_TRUE(hasStill(screen, 2));
}

TEST_F(SupervisionScreenTest, AMissingPictureKeepsTheCycleGoingAnyOtherFailureEndsIt) {
  auto* screen = openSupervision();
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("GET", "/video/image/").size() == 1; }));
  ASSERT_TRUE(waitIdle());
  fail(QStringLiteral("/video/image/:serial"), QStringLiteral("GET"), 404);
  advance(5);
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("GET", "/video/image/").size() == 2; }));
  ASSERT_TRUE(waitIdle());
  EXPECT_FALSE(hasStill(screen, 1)) << "no picture, and not the previous camera's either";
  EXPECT_TRUE(screen->imageCycle().isRunning());

  fail(QStringLiteral("/video/image/:serial"), QStringLiteral("GET"), 503);
  advance(5);
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("GET", "/video/image/").size() == 3; }));
  ASSERT_TRUE(waitIdle());
  if (alertCount() > 0) dismissAlert();
  advance(30);
  tbtest::processEventsFor(100);
  EXPECT_EQ(sent("GET", "/video/image/").size(), 3);
  EXPECT_FALSE(screen->imageCycle().isRunning());
}

TEST_F(SupervisionScreenTest, TheLiveVideoStartsWhenItsPlaylistIsThereAndAtTheLatestAfter25Seconds) {
  liveVideoNeverLoads();
  auto* screen = openSupervision();
  screen->showCameraPage(pageOf(screen, "CAM-RUE"));
  screen->playCurrentCamera();
  screen->playCurrentCamera();  // a second tap while the start is pending
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/start/").size() == 1; }));
  // The user swipes to another page meanwhile: the video stays that of the camera tapped.
  screen->showCameraPage(0);
  EXPECT_FALSE(advanceUntil([&] { return screen->moviePlayer() != nullptr; }, 24.0));
  EXPECT_TRUE(screen->isStartPending());
  ASSERT_TRUE(advanceUntil([&] { return screen->moviePlayer() != nullptr; }, 1.5));
  EXPECT_TRUE(screen->isVideoMode());
  EXPECT_EQ(screen->selectedCamera()->serial, "CAM-RUE");
  EXPECT_TRUE(screen->moviePlayer()->source().toString().endsWith("/live/_definst_/GW0042A7/live.sdp/playlist.m3u8"));

  screen->playCurrentCamera();  // while it plays
  EXPECT_EQ(sent("PUT", "/video/start/"), QStringList{"CAM-RUE"}) << "one video session";
}

TEST_F(SupervisionScreenTest, VideoModeMenusAndOrientationFollowThePlayer) {
  liveVideoNeverLoads();
  auto* screen = openSupervision();
  startLiveVideo(screen, "CAM-ENTREE");
  CustomPanAndZoom* panel = screen->panAndZoom();
  EXPECT_FALSE(panel->panLeft()->isVisibleTo(panel)) << "a fixed camera has no pan buttons";
  EXPECT_TRUE(panel->rec()->isVisibleTo(panel));
  EXPECT_FALSE(screen->videoPageControl()->isVisible());
  EXPECT_TRUE(app->navigationController()->isNavigationBarHidden());
  EXPECT_TRUE(screen->loadingLabel()->isVisible());

  // The touch area comes with the stream; a tap on it opens the menu, its close button shuts it.
  EXPECT_TRUE(screen->overlay()->isVisible());
  QTest::mouseClick(screen->overlay(), Qt::LeftButton, {}, QPoint(160, 200));
  EXPECT_TRUE(panel->isVisible());
  tap(panel->close());
  EXPECT_FALSE(panel->isVisible());

  ui::Window* window = app->window();
  window->setDeviceOrientation(ui::Orientation::LandscapeLeft);
  EXPECT_EQ(window->interfaceOrientation(), ui::Orientation::LandscapeLeft);
  EXPECT_EQ(screen->moviePlayer()->frameView()->geometry(), QRect(0, 0, 480, 300));
  EXPECT_EQ(panel->geometry(), CustomPanAndZoom::kLandscapeFrame);
  window->setDeviceOrientation(ui::Orientation::Portrait);
  EXPECT_EQ(screen->moviePlayer()->frameView()->geometry(), QRect(0, 44, 320, 240));

  // A video that ends in landscape leaves video mode once the device is upright again.
  window->setDeviceOrientation(ui::Orientation::LandscapeRight);
  screen->videoSession()->showMenu();
  tap(panel->stop());
  EXPECT_FALSE(screen->isVideoMode());
  EXPECT_FALSE(screen->videoPageControl()->isVisible());
  window->setDeviceOrientation(ui::Orientation::Portrait);
  EXPECT_TRUE(screen->videoPageControl()->isVisible());
  EXPECT_FALSE(app->navigationController()->isNavigationBarHidden());
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/stop").size() == 1; }));

  // Outside video mode the screen stays upright.
  window->setDeviceOrientation(ui::Orientation::LandscapeLeft);
  EXPECT_EQ(window->interfaceOrientation(), ui::Orientation::Portrait);
  window->setDeviceOrientation(ui::Orientation::Portrait);
}

TEST_F(SupervisionScreenTest, PanAndRecordGoToTheCameraOfTheVideo) {
  liveVideoNeverLoads();
  auto* screen = openSupervision();
  startLiveVideo(screen, "CAM-JARDIN");
  CustomPanAndZoom* panel = screen->panAndZoom();
  EXPECT_TRUE(panel->panLeft()->isVisibleTo(panel)) << "a motorised camera turns";
  screen->videoSession()->showMenu();
  tap(panel->panLeft());
  tap(panel->panReset());
  tap(panel->rec());
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/record/").size() == 1; }));
  ASSERT_TRUE(tbtest::waitUntil([&] { return screen->recInfo()->isVisible(); })) << "the recording shows";
  EXPECT_FALSE(screen->panAndZoom()->rec()->isVisibleTo(screen->panAndZoom()));
  EXPECT_EQ(sent("PUT", "/device/camera/"), (QStringList{"CAM-JARDIN/command", "CAM-JARDIN/command"}));
  EXPECT_EQ(sent("PUT", "/video/record/"), QStringList{"CAM-JARDIN"});
  // The new recording joins the list.
  ASSERT_TRUE(tbtest::waitUntil([&] { return screen->listRecTableView()->recs().size() == 6; }));
}

TEST_F(SupervisionScreenTest, PrivacyModeAndNoCreditRaiseTheirAlertsAndLeaveTheScreenUsable) {
  liveVideoNeverLoads();
  auto* screen = openSupervision();
  gateway({{"privacy", true}});
  screen->playCurrentCamera();
  ASSERT_TRUE(tbtest::waitUntil([&] { return alertCount() == 1; }));
  EXPECT_EQ(topAlertMessage(), foundation::localized("kTradAlertPrivacyMode"));
  EXPECT_FALSE(screen->isStartPending());
  EXPECT_FALSE(screen->isVideoMode());
  dismissAlert();
  gateway({{"privacy", false}, {"credit", 0}});
  startLiveVideo(screen, "CAM-JARDIN");
  EXPECT_EQ(sent("PUT", "/video/start/").size(), 2) << "play works again";

  screen->videoSession()->showMenu();
  tap(screen->panAndZoom()->rec());
  ASSERT_TRUE(tbtest::waitUntil([&] { return alertCount() == 1; }));
  EXPECT_EQ(topAlertMessage(), foundation::localized("kTradNoRecOption"));
  EXPECT_FALSE(screen->recInfo()->isVisible());
  EXPECT_TRUE(screen->isVideoMode());
  dismissAlert();
  tap(screen->panAndZoom()->panUp());
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/device/camera/").size() == 1; })) << "the camera still turns";
}

TEST_F(SupervisionScreenTest, NothingOfTheScreenRunsAfterItWent) {
  liveVideoNeverLoads();
  auto quiet = [&] {
    const auto before = sim->server().recordedCount();
    for (int i = 0; i < 15; ++i) advanceUntil([] { return false; }, 10.0, 10.0);
    return sim->server().recordedCount() == before;
  };
  // Waiting for its next picture and for a stream to start.
  auto* screen = openSupervision();
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("GET", "/video/image/").size() == 1; }));
  screen->playCurrentCamera();
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/start/").size() == 1; }));
  ASSERT_TRUE(tbtest::waitUntil([&] { return screen->isStartPending() && rest::networkActivityCount() == 0; }));
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  EXPECT_TRUE(quiet());

  // Playing: the session is closed once, and the 120 s stop went with the player.
  screen = openSupervision();
  startLiveVideo(screen, "CAM-JARDIN");
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(sent("PUT", "/video/stop").size(), 2) << "one for each visit";
  EXPECT_TRUE(quiet());
}

TEST_F(SupervisionScreenTest, TheCamerasVideoSessionIsClosedWhenNoPlayerTakesItOver) {
  struct Case {
    const char* name;
    bool streamServer;  // the start answer names one
  };
  for (const Case c : {Case{"left while the stream was awaited", true}, Case{"no stream server", false}}) {
    SCOPED_TRACE(c.name);
    const auto stops = sent("PUT", "/video/stop").size();
    c.streamServer ? liveVideoNeverLoads() : sim->service().setMediaAddress(QString(), 0);
    auto* screen = openSupervision();
    screen->playCurrentCamera();
    if (c.streamServer) {
      ASSERT_TRUE(tbtest::waitUntil([&] { return !sent("PUT", "/video/start/").isEmpty(); }));
      ASSERT_TRUE(tbtest::waitUntil([&] { return screen->isStartPending() && rest::networkActivityCount() == 0; }));
      app->navigationController()->popToRootViewControllerAnimated(false);
    } else {
      ASSERT_TRUE(tbtest::waitUntil([&] { return alertCount() == 1; }));
      dismissAlert();
    }
    ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/stop").size() == stops + 1; }));
    app->navigationController()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(waitIdle());
  }
}

TEST_F(SupervisionScreenTest, ADoubleTapOnRecordSendsOneStartAndARefusalBringsTheButtonBack) {
  liveVideoNeverLoads();
  gateway({{"credit", 0}});
  auto* screen = openSupervision();
  startLiveVideo(screen, "CAM-JARDIN");
  CustomPanAndZoom* panel = screen->panAndZoom();
  screen->videoSession()->showMenu();
  tap(panel->rec());
  tap(panel->rec());
  EXPECT_FALSE(panel->rec()->isVisibleTo(panel)) << "away while the start is out";
  ASSERT_TRUE(tbtest::waitUntil([&] { return alertCount() >= 1; }));
  ASSERT_TRUE(waitNetworkIdle());
  EXPECT_EQ(sent("PUT", "/video/record/"), QStringList{"CAM-JARDIN"});
  EXPECT_TRUE(panel->rec()->isVisibleTo(panel)) << "back after the refusal";
}

TEST_F(SupervisionScreenTest, StoredCamerasShowAtOnceWhileTheListsAreAskedAgain) {
  ASSERT_NE(openSupervision(), nullptr);
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_TRUE(waitIdle());
  UISessionManager::getInstance().setSelectedNavItem(QStringLiteral("MySupervisionController"));
  app->rootViewController()->navItemClicked();
  auto* screen = dynamic_cast<MySupervisionController*>(app->navigationController()->topViewController());
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(rest::networkActivityCount(), 0) << "the answers are still to come";
  EXPECT_EQ(screen->videoPageControl()->kNumberOfPages(), 3);
  EXPECT_EQ(screen->videoPageControl()->pageTitle()->text(), "Caméra entrée");
  EXPECT_EQ(screen->videoPageControl()->scrollView()->contentView()->findChild<ui::Label*>(), nullptr) << "no \"No added camera\"";
}

TEST_F(SupervisionScreenTest, ScrollingTheRecordingsUpHidesThePagesAndPullingDownBringsThemBack) {
  auto* screen = openSupervision();
  ui::ScrollView* list = screen->recordingsScrollView();
  const int shortHeight = list->height();
  list->setContentOffset(QPointF(0, 20));
  EXPECT_FALSE(screen->pagesVisible());
  EXPECT_LT(screen->videoPageControl()->geometry().bottom(), 0);
  EXPECT_GT(list->height(), shortHeight);
  list->setContentOffset(QPointF(0, -10));
  EXPECT_TRUE(screen->pagesVisible());
  EXPECT_EQ(screen->videoPageControl()->pos(), QPoint(0, 0));
  EXPECT_EQ(list->height(), shortHeight);
}

TEST_F(SupervisionScreenTest, WithoutCamerasOnePageSaysSoAndNoPictureIsAskedFor) {
  auto* screen = openSupervision();
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("GET", "/video/image/").size() == 1; }));
  ASSERT_TRUE(waitIdle());
  backend::RecordList<VODevice> noCameras;
  for (const auto& device : BESessionManager::getInstance().devices())
    if (device->type && device->type->find("CAM") == std::string::npos) noCameras.push_back(device);
  BESessionManager::getInstance().setDevices(noCameras);
  // The recordings filed again (the screen follows the store, whoever read them).
  BESessionManager::getInstance().setRecs(BESessionManager::getInstance().recs());
  EXPECT_EQ(screen->videoPageControl()->kNumberOfPages(), 1);
  EXPECT_EQ(screen->videoPageControl()->pageTitle()->text(), "");
  auto* text = screen->videoPageControl()->scrollView()->contentView()->findChild<ui::Label*>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(), foundation::localized("No added camera"));
  screen->playCurrentCamera();
  advance(30);
  tbtest::processEventsFor(50);
  EXPECT_EQ(sent("GET", "/video/image/").size(), 1);
  EXPECT_TRUE(sent("PUT", "/video/start/").isEmpty());
}

TEST_F(SupervisionScreenTest, ARecordingWithoutAFileOrNoSelectionStartsNothingAndSaysWhy) {
  auto* screen = openSupervision();
  ui::Button stray(QRect(), nullptr);
  stray.setProperty(MyRecTableViewController::kRecordingIdentifierProperty, "gone");
  screen->listRecTableView()->runPlayBack(&stray);  // nothing chosen
  ASSERT_EQ(alertCount(), 1);
  EXPECT_EQ(topAlertMessage(), foundation::localized("No recording selected."));
  dismissAlert();

  auto recs = BESessionManager::getInstance().recs();
  auto bare = std::make_shared<VOVideoRec>();
  bare->identifier = "0900";
  bare->type = "0";
  recs.insert(recs.begin(), bare);
  BESessionManager::getInstance().setRecs(recs);
  // The screen rebuilds its list from the store (it follows the store, whoever read the list).
  MyRecTableViewController* list = screen->listRecTableView();
  auto* play = ui::viewWithTag<ui::Button>(list->tableView()->cellForRowAtIndexPath({0, 0}), MyRecTableViewController::kPlayButtonTag);
  ASSERT_NE(play, nullptr);
  list->runPlayBack(play);
  EXPECT_EQ(list->selectedRec(), bare);
  ASSERT_EQ(alertCount(), 1);
  EXPECT_EQ(topAlertMessage(), foundation::localized("This recording has no video file."));
  tbtest::processEventsFor(50);
  EXPECT_TRUE(sent("GET", "/video/playback").isEmpty());
  EXPECT_FALSE(screen->isStartPending());
}

}  // namespace supervisiontest
