// The event watcher reads the history on its own clock, tells each new event worth telling once,
// oldest first, and a restart tells nothing already told.
#include "BackendTestSupport.h"

#include "backend/EventWatcher.h"
#include "foundation/Preferences.h"
#include "support/TempDir.h"

#include <QSignalSpy>

using namespace backendtest;
using simcore::HttpResponse;

namespace {

QByteArray event(const char* date, const char* origin, const char* reason, const char* type = "", const char* extra = "") {
  return QStringLiteral(R"({"name": "Entrée", "date": "%1", "origin": "%2", "reason": "%3", "alert": "0", "type": "%4"%5})")
      .arg(date, origin, reason, type, extra)
      .toUtf8();
}

QByteArray historyOf(const QList<QByteArray>& events) { return R"({"history": [)" + events.join(',') + "]}"; }

const QByteArray kOldAlarm = event("03/03/2013 11:00:00", "0", "0", "P1DO");
const QByteArray kOldMode = event("03/03/2013 11:30:00", "6", "1", "", R"(, "subcategory": "INTRUSION", "state": "MON")");

class EventWatcherTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    foundation::Preferences::setStandard(std::make_unique<foundation::Preferences>(folder.file("prefs")));
    foundation::setScheduler(&processClock());
  }
  void TearDown() override {
    BackendTest::TearDown();
    foundation::setScheduler(nullptr);
    foundation::Preferences::setStandard(nullptr);
  }
  // One interval passes with this history on the server; what the watcher told.
  QList<backend::WatchedEvent> after(backend::EventWatcher& watcher, const QByteArray& history) {
    QSignalSpy told(&watcher, &backend::EventWatcher::newEvents);
    server.script().enqueue(HttpResponse::json(200, history));
    const int finished = log.finishedRequests();
    processClock().advanceBy(30);
    EXPECT_TRUE(waitForFinished(finished + 1));
    return told.isEmpty() ? QList<backend::WatchedEvent>() : told.first().first().value<QList<backend::WatchedEvent>>();
  }
  tbtest::TempDir folder;
};

TEST_F(EventWatcherTest, TellsNewEventsOnceByUrgencyAndNothingOlderThanTheFirstLook) {
  auto watcher = std::make_unique<backend::EventWatcher>(30.0);
  watcher->start("demo@server");
  EXPECT_TRUE(after(*watcher, historyOf({kOldMode, kOldAlarm})).isEmpty()) << "the first look only marks where it stands";

  const QByteArray intrusion = event("03/03/2013 12:00:10", "0", "0", "P1DMO");
  const QByteArray lowBattery = event("03/03/2013 12:00:05", "1", "7");
  const QByteArray mode = event("03/03/2013 12:00:20", "6", "1", "", R"(, "subcategory": "INTRUSION", "state": "MOFF")");
  const auto told = after(*watcher, historyOf({mode, intrusion, lowBattery, kOldMode, kOldAlarm}));
  ASSERT_EQ(told.size(), 2) << "the mode change is not told";
  EXPECT_EQ(told[0].urgency, history::Urgency::Normal);
  EXPECT_EQ(told[1].urgency, history::Urgency::Critical);
  EXPECT_EQ(told[1].title, history::rowTexts(*told[1].record).title);
  EXPECT_EQ(told[1].date, QDateTime(QDate(2013, 3, 3), QTime(12, 0, 10), processClock().timeZone()));
  EXPECT_TRUE(after(*watcher, historyOf({mode, intrusion, lowBattery})).isEmpty()) << "an unchanged top tells nothing";

  // A restart, and the same history: nothing again. Every event asked for: the new mode change.
  watcher = std::make_unique<backend::EventWatcher>(30.0);
  watcher->start("demo@server");
  watcher->setEveryEvent(true);
  const QByteArray favorite = event("03/03/2013 12:01:00", "4", "15", "", R"(, "state": "FP", "trigger_name": "R")");
  EXPECT_TRUE(after(*watcher, historyOf({mode, intrusion})).isEmpty());
  const auto every = after(*watcher, historyOf({favorite, mode, intrusion}));
  ASSERT_EQ(every.size(), 1);
  EXPECT_EQ(every[0].urgency, history::Urgency::None);

  // The last one seen pushed out of the list: the dates decide.
  const QByteArray tamper = event("03/03/2013 12:02:00", "1", "16");
  const auto pushed = after(*watcher, historyOf({tamper, event("03/03/2013 11:59:00", "1", "7")}));
  ASSERT_EQ(pushed.size(), 1);
  EXPECT_EQ(pushed[0].urgency, history::Urgency::Critical);

  // Another account starts afresh.
  watcher->start("other@server");
  EXPECT_TRUE(after(*watcher, historyOf({event("03/03/2013 12:03:00", "0", "0", "P1S"), tamper})).isEmpty());
}

}  // namespace
