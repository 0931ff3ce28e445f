#pragma once
// The application object on the offscreen window, signed in against a scripted server, with the
// manual clock, preferences in a temporary folder and animations that end at once (unless a test
// wants to watch one run).
#include "app/LoginViewController.h"
#include "app/TavroBoxAppAppDelegate.h"

#include "support/TempDir.h"
#include "support/server/TestServer.h"

#include "foundation/ManualClock.h"
#include "foundation/NotificationCenter.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace shelltest {

// A sign-in answer with this session identifier.
QByteArray signInAnswer(const QByteArray& sessionId = "S1");

// The clock of the whole test program: timers the REST layer arms while it is installed may
// outlive a test, so it is never destroyed.
foundation::ManualClock& processClock();

// What a test of the whole app starts from: fresh singletons, no TLS exceptions, the manual
// clock, preferences and secrets in `folder`, animations that end at once. The tear-down undoes it.
void setUpAppEnvironment(foundation::ManualClock& clock, const tbtest::TempDir& folder);
void tearDownAppEnvironment();
void resetSingletons();

// Every notification named here, in the order posted.
class NotificationLog {
 public:
  explicit NotificationLog(const QStringList& names);
  const QStringList& names() const { return m_names; }
  int count(const QString& name) const { return int(m_names.count(name)); }
  void clear() { m_names.clear(); }

 private:
  foundation::Observations m_observations;
  QStringList m_names;
};

// A screen that counts how many of its kind are alive.
class CountedScreen : public ui::Screen {
 public:
  CountedScreen() { ++s_alive; }
  ~CountedScreen() override { --s_alive; }
  static int alive() { return s_alive; }

 private:
  static inline int s_alive = 0;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the application against the scripted server (what the platform does at launch).
  void launch();
  // Ends the run: the application object goes, the singletons of the service layer go, the
  // preferences stay (the next launch reads them).
  void quit();

  LoginViewController* loginScreen() const;
  // Types into the login screen and presses return in the password field; the server answers the
  // sign-in with `answer`. Returns whether the sign-in succeeded.
  bool signInWith(const QString& user, const QString& password, bool remember, simcore::HttpResponse answer);
  // Signs in and lets the popup go (2.0 s, then the fade).
  void signInAndDismissPopup();
  // Waits until `count` requests have got their answer delivered.
  bool waitForFinished(int count);
  int finishedRequests() const { return m_finished; }

  // Seconds between the event watcher's own history reads; off unless a test watches events, so
  // that the scripted answers go to the requests the test makes.
  double watchInterval = 0;

  tbtest::TempDir folder;
  tbtest::TestServer server;
  std::unique_ptr<TavroBoxAppAppDelegate> app;
  foundation::ManualClock& clock = processClock();

 private:
  foundation::Observations m_requestsDone;
  int m_finished = 0;
};

}  // namespace shelltest
