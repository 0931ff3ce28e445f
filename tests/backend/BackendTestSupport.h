#pragma once
// Shared by the service tests: a scripted server behind a freshly configured REST layer, a log of
// every notification the service layer posts, and a manual clock that outlives the REST layer.
#include "support/Wait.h"
#include "support/server/TestServer.h"

#include "backend/BENotifications.h"
#include "foundation/ManualClock.h"
#include "foundation/NotificationCenter.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace backendtest {

// Every notification of the service layer in the order posted, and how many requests have
// finished (their delegate messages delivered).
class NotificationLog {
 public:
  NotificationLog();
  const QStringList& names() const { return m_names; }
  int finishedRequests() const { return m_finished; }
  void clear() { m_names.clear(); }

 private:
  foundation::Observations m_observations;
  QStringList m_names;
  int m_finished = 0;
};

// Drops every singleton of the service layer and the shared object manager.
void resetBackend();

// A manual clock for the whole test program. Timers the REST layer arms while it is installed
// may outlive a test, so the clock must never be destroyed.
foundation::ManualClock& processClock();

class BackendTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sets the REST layer up afresh for the service at `url`, trusting `certificates` (PEM files).
  static void configure(const QUrl& url, const QStringList& certificates = {});
  // Stores a sign-in answer with this session identifier, as a successful sign-in would.
  static void signIn(const std::string& sessionId);

  // The path a request for `resourcePath` arrives at (below the service's base path).
  static QByteArray wirePath(const QByteArray& resourcePath) { return "/tavrobox/v1" + resourcePath; }

  // Waits until `count` requests have finished; false on timeout.
  bool waitForFinished(int count = 1);
  // The request the server received at `index`, once it has arrived.
  simcore::HttpRequest request(int index = 0);
  // Runs `operation` against one scripted answer and returns the notifications it caused.
  QStringList answerWith(const std::function<void()>& operation, simcore::HttpResponse answer);

  static QJsonObject jsonBody(const simcore::HttpRequest& request);

  tbtest::TestServer server;
  NotificationLog log;
};

}  // namespace backendtest
