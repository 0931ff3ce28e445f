#pragma once
// The whole app against the simulated service, in one process: the real HTTP server of the
// simulated home on a loopback port (the demo home, control interface open), the application
// object on the offscreen window signed in as "demo" through its login screen, the manual clock
// for the app's timers and animations that end at once.
//
//   TEST_F(ScreenTest, ...) {
//     auto* screen = open<MyLightingController>("MyLightingController");
//     ... drive its controls ...
//     waitIdle();
//     EXPECT_EQ(device("LGT-SALON")["status"].toString(), "ON");   // the simulated home changed
//     fail("/device/status", "PUT");                                // the next command fails
//     ... EXPECT_EQ(alertCount(), 1);
//   }
#include "app/ShellTestSupport.h"
#include "simulator/SimHarness.h"

#include "home/MediaLibrary.h"
#include "home/MediaService.h"

#include "app/TavroBoxAppAppDelegate.h"
#include "foundation/Configuration.h"
#include "foundation/ManualClock.h"
#include "support/TempDir.h"
#include "ui/Screen.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace screentest {

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Who signs in: "demo" unless a fixture says otherwise (the user "vide" has an empty home).
  virtual QString userName() const { return QStringLiteral("demo"); }
  virtual QString password() const { return QStringLiteral("demo"); }

  // What opening a screen waits for: everything idle, or only the network (a screen that keeps
  // its overlay up while a timer of the manual clock runs).
  enum class Until { Idle, NetworkIdle };

  // Chooses the menu entry of `screenName` and waits until the new screen has its answers.
  ui::Screen* openScreen(const char* screenName, Until until = Until::Idle);
  template <class S>
  S* open(const char* screenName, Until until = Until::Idle) {
    auto* screen = dynamic_cast<S*>(openScreen(screenName, until));
    EXPECT_NE(screen, nullptr) << screenName << " did not open";
    return screen;
  }

  // Waits until no request is out, the progress overlay is hidden and screens popped are gone.
  bool waitIdle(int timeoutMs = 10000);
  // Waits until no request is out.
  bool waitNetworkIdle(int timeoutMs = 10000);
  // Quits the app and starts it again, signed in anew, as a later run of the same user on this
  // machine finds it: same preferences, same response cache, nothing in memory.
  void relaunch();

  // Types the user's credentials into the login screen on show, signs in and waits until the
  // popup has gone (at launch, or when a lost session brought the login screen back).
  void signInThroughLoginScreen();

  // Advances the app's clock (the simulated home's own clock is `sim->clock`).
  void advance(double seconds);

  // Alerts on show in the window; dismiss() taps the top one's button.
  int alertCount() const;
  QString topAlertMessage() const;
  void dismissAlert();

  // The simulated home, read by another client (the user "anne", same home): "/device" -> its answer.
  QJsonObject simRead(const QString& path);
  // The device of that serial in the simulated home's device list (empty when absent).
  QJsonObject device(const QString& serial);
  // The next `count` requests matching `pattern` and `method` fail with `status`.
  void fail(const QString& pattern, const QString& method, int status = 503, int count = 1);
  // The gateway goes off line (600 for commands) or comes back.
  void gatewayOffline(bool offline);

  // Set in a fixture's constructor to have the cameras' video too: SetUp then serves the live
  // and recording streams (HLS made with ffmpeg, kept in the shared media folder across runs) on a
  // free loopback port, sends the app's live video there and gives the app that port as its
  // RestPlaybackPort. The streams slide in real time, whatever the simulated home's clock says.
  bool serveMedia = false;
  // Set in a fixture's constructor to have the event watcher read the history on its own every so
  // many seconds; off otherwise, so that screens' tests count only their own requests.
  double watchInterval = 0;
  simhome::MediaLibrary* media() const { return m_media.get(); }
  quint16 mediaPort() const;

  tbtest::TempDir folder;
  std::unique_ptr<simtest::SimHarness> sim;
  std::unique_ptr<TavroBoxAppAppDelegate> app;
  foundation::ManualClock& clock = shelltest::processClock();

 private:
  void launchAndSignIn();
  void quitApp();
  void startMedia(foundation::Configuration& configuration);
  void stopMedia();
  std::unique_ptr<simhome::Clock> m_mediaClock;
  std::unique_ptr<simhome::MediaLibrary> m_media;
  std::unique_ptr<simhome::MediaService> m_mediaService;
  std::unique_ptr<simcore::HttpServer> m_mediaServer;
  foundation::Configuration m_configuration;
};

}  // namespace screentest
