// The alarm code's store: what is kept of the code, the checks and the waits after wrong codes,
// across a restart (a new lock object over the same preferences), on the manual clock.
#include "support/ManualClockFixture.h"
#include "support/Wait.h"

#include "backend/AlarmLock.h"
#include "foundation/Preferences.h"

#include <QStringList>

#include <optional>

namespace {

using backend::AlarmLock;
using Verdict = AlarmLock::Verdict;

class AlarmLockTest : public tbtest::ManualClockFixture {
 protected:
  // A lock as the app makes it for an account; the iterations are lowered to keep the test fast.
  std::unique_ptr<AlarmLock> lockOf(const QString& login) {
    auto lock = std::make_unique<AlarmLock>(login, QStringLiteral("https://127.0.0.1:8470/tavrobox/v1"));
    lock->setIterations(kTestIterations);
    return lock;
  }

  static bool set(AlarmLock& lock, const QString& code) {
    std::optional<bool> stored;
    lock.setCode(code, [&](bool ok) { stored = ok; });
    EXPECT_TRUE(tbtest::waitUntil([&] { return stored.has_value(); })) << "the code was never stored";
    return stored.value_or(false);
  }

  static Verdict check(AlarmLock& lock, const QString& code) {
    std::optional<Verdict> verdict;
    lock.verify(code, [&](Verdict v) { verdict = v; });
    EXPECT_TRUE(tbtest::waitUntil([&] { return verdict.has_value(); })) << "the code was never checked";
    return verdict.value_or(Verdict::Busy);
  }

  static constexpr int kTestIterations = 1000;
  foundation::Preferences& prefs = foundation::Preferences::standard();
};

TEST_F(AlarmLockTest, KeepsASaltedDigestNeverTheCodeAndChecksIt) {
  EXPECT_GE(AlarmLock(QStringLiteral("x"), QStringLiteral("y")).iterations(), 300000) << "the production count";

  auto lock = lockOf(QStringLiteral("digest"));
  EXPECT_FALSE(lock->hasCode());
  EXPECT_EQ(check(*lock, QStringLiteral("4821")), Verdict::NoCode);
  for (const char* malformed : {"482", "482193755", "48a1", ""}) EXPECT_FALSE(set(*lock, QString::fromLatin1(malformed))) << malformed;
  EXPECT_FALSE(lock->hasCode());

  ASSERT_TRUE(set(*lock, QStringLiteral("48213")));
  const QString stored = prefs.string(lock->key("Code"));
  EXPECT_FALSE(stored.contains(QStringLiteral("48213")));
  const QStringList parts = stored.split(QLatin1Char('$'));
  ASSERT_EQ(parts.size(), 4);
  EXPECT_EQ(parts[0], QStringLiteral("pbkdf2-sha256"));
  EXPECT_EQ(parts[1].toInt(), kTestIterations);
  EXPECT_EQ(QByteArray::fromBase64(parts[3].toLatin1()).size(), 32);

  // The same code again gets another salt, so another digest.
  ASSERT_TRUE(set(*lock, QStringLiteral("48213")));
  EXPECT_NE(prefs.string(lock->key("Code")), stored);

  EXPECT_EQ(check(*lock, QStringLiteral("48213")), Verdict::Right);
  EXPECT_EQ(check(*lock, QStringLiteral("48214")), Verdict::Wrong);
  EXPECT_EQ(check(*lock, QStringLiteral("4821")), Verdict::Wrong);
  // Another account on the same machine has a lock of its own.
  EXPECT_FALSE(lockOf(QStringLiteral("anne"))->hasCode());
  lock->removeCode();
  EXPECT_FALSE(lock->hasCode());
  EXPECT_FALSE(prefs.contains(lock->key("Code")));
}

TEST_F(AlarmLockTest, FiveWrongCodesWaitThirtySecondsThenDoubleAcrossARestart) {
  auto lock = lockOf(QStringLiteral("backoff"));
  ASSERT_TRUE(set(*lock, QStringLiteral("2468")));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(check(*lock, QStringLiteral("1111")), Verdict::Wrong);
  EXPECT_EQ(lock->waitRemaining(), 0.0);
  EXPECT_EQ(lock->triesBeforeWait(), 1);
  EXPECT_EQ(check(*lock, QStringLiteral("1111")), Verdict::Wrong);
  EXPECT_DOUBLE_EQ(lock->waitRemaining(), 30.0);

  // During the wait even the right code is not looked at, and nothing is counted.
  EXPECT_EQ(check(*lock, QStringLiteral("2468")), Verdict::LockedOut);
  EXPECT_EQ(lock->failures(), 5);

  // The app quits and starts again: the wait goes on.
  lock = lockOf(QStringLiteral("backoff"));
  clock.advanceBy(20.0);
  EXPECT_DOUBLE_EQ(lock->waitRemaining(), 10.0);
  clock.advanceBy(10.0);
  EXPECT_EQ(lock->waitRemaining(), 0.0);
  EXPECT_EQ(check(*lock, QStringLiteral("1111")), Verdict::Wrong);
  EXPECT_DOUBLE_EQ(lock->waitRemaining(), 60.0);

  lock = lockOf(QStringLiteral("backoff"));
  EXPECT_DOUBLE_EQ(lock->waitRemaining(), 60.0);
  clock.advanceBy(60.0);
  EXPECT_EQ(check(*lock, QStringLiteral("1111")), Verdict::Wrong);
  EXPECT_DOUBLE_EQ(lock->waitRemaining(), 120.0);
  clock.advanceBy(120.0);

  // The right code ends it all: the next wrong one is again the first of five.
  EXPECT_EQ(check(*lock, QStringLiteral("2468")), Verdict::Right);
  EXPECT_EQ(lock->failures(), 0);
  EXPECT_EQ(check(*lock, QStringLiteral("1111")), Verdict::Wrong);
  EXPECT_EQ(lock->waitRemaining(), 0.0);
  EXPECT_EQ(lock->triesBeforeWait(), 4);
}

TEST_F(AlarmLockTest, AsksOnReturnOnlyAfterTheChosenMinutesWithACode) {
  auto lock = lockOf(QStringLiteral("options"));
  lock->setBackgroundMinutes(5);
  EXPECT_FALSE(lock->asksAfter(3600)) << "no code, nothing to ask";
  ASSERT_TRUE(set(*lock, QStringLiteral("13579")));
  EXPECT_FALSE(lock->asksAfter(299));
  EXPECT_TRUE(lock->asksAfter(300));
  lock->setBackgroundMinutes(0);
  EXPECT_FALSE(lock->asksAfter(3600));
  EXPECT_FALSE(lock->askAtStart());
  lock->setAskAtStart(true);
  EXPECT_TRUE(lockOf(QStringLiteral("options"))->askAtStart());
}

}  // namespace
