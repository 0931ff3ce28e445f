// The demo history covers what the history screen shows, and the weather figures hold together.
#include "home/HistoryGenerator.h"
#include "home/HomeJson.h"
#include "home/Weather.h"

#include <QJsonDocument>
#include <QSet>

#include <gtest/gtest.h>

using namespace simhome;

namespace {

constexpr qint64 kNow = 1362312000000;
constexpr qint64 kDay = 24 * 3600 * 1000;

Home demo(std::uint64_t seed) {
  QString error;
  auto home = loadHomeFile(builtInHomePath(), HomeSetup{seed, kNow}, &error);
  EXPECT_TRUE(home) << error.toStdString();
  return home ? *home : Home();
}

QString key(const HistoryEvent& e) {
  QString k = QStringLiteral("%1/%2/%3").arg(e.alert, e.origin, e.reason);
  if (e.origin == "4" && e.reason == "15") k += "/" + e.state + e.triggerName;
  if (e.origin == "0" && e.reason == "1" && e.alert == "1") k += "/" + e.state;
  return k;
}

TEST(DemoHistory, CoversEveryRowOfBothTablesAndTheHiddenReasons) {
  const Home home = demo(7);
  QSet<QString> seen;
  QSet<int> destinationCounts;
  QSet<QString> alarmTypesSeen;
  for (const HistoryEvent& e : home.history) {
    seen.insert(key(e));
    if (e.alert == "1") destinationCounts.insert(int(e.alerts.size()));
    if (e.reason == "0" && (e.origin == "0" || e.origin == "1")) alarmTypesSeen.insert(e.type);
    EXPECT_LT(e.dateMs, kNow);
    EXPECT_GT(e.dateMs, kNow - 13 * kDay);
  }
  const QStringList rows = {
      "0/0/0", "0/0/1", "0/1/0", "0/1/16", "0/1/7", "0/1/12", "0/1/13", "0/1/2", "0/1/3", "0/1/4", "0/1/5", "0/1/6",
      "0/1/8", "0/1/9", "0/2/19", "0/2/20", "0/3/1", "0/3/15", "0/4/15/FPL", "0/4/15/FPR", "0/4/15/FSR", "0/4/1",
      "0/5/1", "0/6/1", "0/7/1", "1/0/0", "1/0/1/MON", "1/0/1/MOFF", "1/0/18", "1/1/16", "1/1/7", "1/1/12", "1/1/13",
      "1/1/2", "1/1/3", "1/1/4", "1/1/5", "1/1/6", "1/1/8", "1/1/9", "0/1/17", "0/1/10", "0/1/11"};
  for (const QString& row : rows) EXPECT_TRUE(seen.contains(row)) << row.toStdString();
  for (int n : {0, 1, 3, 7}) EXPECT_TRUE(destinationCounts.contains(n)) << n << " destinations";
  EXPECT_GE(alarmTypesSeen.size(), 3);
}

TEST(DemoHistory, ModeEventsNameADomainAndAState) {
  for (const HistoryEvent& e : demo(3).history) {
    if (e.reason != "1") continue;
    EXPECT_TRUE(Home::domains().contains(e.subCategory)) << e.subCategory.toStdString();
    EXPECT_TRUE(QStringList({"MON", "MOFF", "MPR"}).contains(e.state)) << e.state.toStdString();
    if (e.state == "MPR") {
      EXPECT_EQ(e.subCategory, "INTRUSION");
    }
  }
}

TEST(DemoHistory, SameSeedSameHistoryOtherSeedOtherHistory) {
  auto json = [](const Home& h) {
    QByteArray out;
    for (const HistoryEvent& e : h.history) out += QJsonDocument(historyJson(e, "UTC")).toJson();
    return out;
  };
  EXPECT_EQ(json(demo(11)), json(demo(11)));
  EXPECT_NE(json(demo(11)), json(demo(12)));
}

TEST(HistoryDates, HaveADatePartAndATimePart) {
  EXPECT_EQ(formatDate(kNow, "UTC"), "03/03/2013 12:00:00");
  EXPECT_EQ(formatDate(kNow, "Europe/Paris"), "03/03/2013 13:00:00");
}

TEST(Weather, FiguresOfAPeriodHoldTogether) {
  const qint64 start = kNow - 30 * kDay;
  const QJsonObject w = weatherFigures(5, start, kNow, kNow);
  ASSERT_EQ(w.size(), 45);
  for (const char* prefix : {"tempIn", "tempOut", "humidityIn", "humidityOut", "pressure"}) {
    const QString p = QString::fromLatin1(prefix);
    const double min = w.value(p + "Min").toDouble(), max = w.value(p + "Max").toDouble();
    EXPECT_LE(min, w.value(p + "Current").toDouble()) << prefix;
    EXPECT_GE(max, w.value(p + "Current").toDouble()) << prefix;
    EXPECT_LE(min, max) << prefix;
    for (const char* suffix : {"MinDate", "MaxDate"}) {
      bool ok = false;
      const qint64 at = w.value(p + suffix).toString().toLongLong(&ok);
      EXPECT_TRUE(ok && at >= start && at <= kNow) << prefix << suffix;
    }
    EXPECT_TRUE(QStringList({"H", "B", "S"}).contains(w.value(p + "Trend").toString())) << prefix;
  }
  EXPECT_GE(w.value("tempInAverage").toDouble(), w.value("tempInMin").toDouble());
  EXPECT_LE(w.value("tempInAverage").toDouble(), w.value("tempInMax").toDouble());
  EXPECT_GE(w.value("humidityOutMax").toDouble(), 0.0);
  EXPECT_LE(w.value("humidityOutMax").toDouble(), 100.0);
  EXPECT_GT(w.value("pressureMin").toDouble(), 950.0);
  EXPECT_LT(w.value("pressureMax").toDouble(), 1060.0);
  const QStringList compass = {"0", "22.5", "45", "67.5", "90", "112.5", "135", "157.5", "180", "202.5", "225", "247.5", "270", "292.5", "315", "337.5"};
  EXPECT_TRUE(compass.contains(w.value("windDirection").toString())) << w.value("windDirection").toString().toStdString();
}

TEST(Weather, SeasonsAndRainArePlausible) {
  const qint64 january = 1357300800000;  // 4 January 2013
  const qint64 july = 1373112000000;     // 6 July 2013
  const QJsonObject winter = weatherFigures(5, january - 7 * kDay, january, january);
  const QJsonObject summer = weatherFigures(5, july - 7 * kDay, july, july);
  EXPECT_LT(winter.value("tempOutAverage").toDouble() + 8.0, summer.value("tempOutAverage").toDouble());
  const QJsonObject year = weatherFigures(5, january, january + 365 * kDay, january + 365 * kDay);
  EXPECT_GT(year.value("rainTotal").toDouble(), 250.0);
  EXPECT_LT(year.value("rainTotal").toDouble(), 1500.0);
}

TEST(Weather, APeriodReachingIntoTheFutureEndsNow) {
  const QJsonObject w = weatherFigures(5, kNow - kDay, kNow + kDay, kNow);
  EXPECT_EQ(w.value("date").toString(), QString::number(kNow));
  EXPECT_EQ(weatherFigures(5, kNow - kDay, kNow + kDay, kNow), weatherFigures(5, kNow - kDay, kNow, kNow));
}

}  // namespace
