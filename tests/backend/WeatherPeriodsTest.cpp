#include "backend/WeatherPeriods.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using backend::weather::millisecondsText;
using backend::weather::periodBounds;

namespace {
const QTimeZone kUtcPlus1(3600);

QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0, const QTimeZone& zone = kUtcPlus1) {
  return QDateTime(QDate(y, m, d), QTime(h, min, s), zone);
}
}  // namespace

TEST(WeatherPeriods, BoundsOfEveryPeriodInLocalTime) {
  struct Case {
    const char* period;
    QDateTime now;
    QDateTime start;
    QDateTime end;
  };
  const QDateTime march3 = at(2013, 3, 3, 14, 25, 36);
  const QDateTime march15 = at(2013, 3, 15, 9, 0, 1);
  const QDateTime january5 = at(2013, 1, 5, 8, 30);
  const Case cases[] = {
      {"day", march3, at(2013, 3, 3), march3},
      {"yesterday", march3, at(2013, 3, 2), at(2013, 3, 3)},
      {"week", march3, at(2013, 2, 24), at(2013, 3, 3)},  // day 3 - 7 falls into February
      {"month", march3, at(2013, 3, 1), march3},
      {"previousMonth", march3, at(2013, 2, 1), at(2013, 3, 1)},
      {"year", march3, at(2013, 1, 1), march3},
      {"previousYear", march15, at(2012, 1, 1), at(2013, 1, 1)},
      {"previousMonth", january5, at(2012, 12, 1), at(2013, 1, 1)},  // month 0 is December before
      {"yesterday", at(2013, 3, 1, 10), at(2013, 2, 28), at(2013, 3, 1)},
      {"week", at(2012, 3, 5, 10), at(2012, 2, 27), at(2012, 3, 5)},  // leap year
      {"fortnight", march3, at(2013, 3, 3), march3},                 // unknown names count as "day"
      {"", march3, at(2013, 3, 3), march3},
  };
  for (const Case& c : cases) {
    const auto bounds = periodBounds(QString::fromLatin1(c.period), c.now);
    EXPECT_EQ(bounds.start, c.start) << c.period << " " << c.now.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(bounds.end, c.end) << c.period << " " << c.now.toString(Qt::ISODate).toStdString();
  }
}

TEST(WeatherPeriods, MidnightsFollowTheZoneAcrossADaylightSavingChange) {
  const QTimeZone paris("Europe/Paris");
  ASSERT_TRUE(paris.isValid());
  // Summer time began on 31 March 2013 at 02:00: "yesterday" seen on 1 April lasts 23 hours.
  const auto bounds = periodBounds(QStringLiteral("yesterday"), at(2013, 4, 1, 12, 0, 0, paris));
  EXPECT_EQ(millisecondsText(bounds.start), QStringLiteral("1364684400000"));  // 2013-03-30T23:00:00Z
  EXPECT_EQ(millisecondsText(bounds.end), QStringLiteral("1364767200000"));    // 2013-03-31T22:00:00Z
  EXPECT_EQ(bounds.start.secsTo(bounds.end), 23 * 3600);

  // Winter time came back on 27 October 2013: that "week" lasts 7 days and one hour.
  const auto week = periodBounds(QStringLiteral("week"), at(2013, 10, 30, 9, 0, 0, paris));
  EXPECT_EQ(week.start.secsTo(week.end), 7 * 86400 + 3600);
}

TEST(WeatherPeriods, MillisecondsAreWholeSecondsFollowedByThreeZeros) {
  EXPECT_EQ(millisecondsText(at(2013, 1, 1)), QStringLiteral("1356994800000"));
  EXPECT_EQ(millisecondsText(QDateTime::fromMSecsSinceEpoch(1362317136999, QTimeZone::utc())),
            QStringLiteral("1362317136000"));  // rounded down, not to the nearest second
  EXPECT_EQ(millisecondsText(QDateTime::fromMSecsSinceEpoch(0, QTimeZone::utc())), QStringLiteral("0000"));
  EXPECT_EQ(millisecondsText(QDateTime::fromMSecsSinceEpoch(-1500, QTimeZone::utc())), QStringLiteral("-2000"));
  // Past 2038 the value no longer fits 32 bits and must not wrap.
  EXPECT_EQ(millisecondsText(QDateTime(QDate(2040, 1, 1), QTime(0, 0), QTimeZone::utc())),
            QStringLiteral("2208988800000"));
}
