// The safety and energies screens opened from the menu of the real app against the simulated home.
#include "../support/ScreenHarness.h"
#include "support/Wait.h"
#include "UiTestSupport.h"

#include "backend/AlarmLock.h"
#include "controls/TextField.h"
#include "controls/lock/CodePad.h"
#include "controls/lock/CodePrompt.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Strings.h"
#include "rest/network/RestNotifications.h"
#include "screens/energies/MyEnergiesController.h"
#include "screens/safety/MySafetyController.h"
#include "ui/Label.h"

#include <QJsonArray>
#include <QTest>

#include <optional>

namespace screentest {
class SafetyScreenTest : public ScreenTest {
 protected:
  // The mode of `domain` in the simulated home, read by another client.
  QString homeMode(const QString& domain) {
    for (const auto& entry : simRead(QStringLiteral("/gateway/mode")).value(QStringLiteral("modeList")).toArray()) {
      const QJsonObject mode = entry.toObject();
      if (mode.value(QStringLiteral("subCategory")).toString() == domain) return mode.value(QStringLiteral("mode")).toString();
    }
    return QString();
  }

  // The mode commands of `domain` the simulated service received.
  int modeCommands(const QString& domain) {
    int count = 0;
    for (const simcore::HttpRequest& r : sim->server().recordedRequests())
      count += r.method == "PUT" && QString::fromLatin1(r.path).contains(QStringLiteral("/gateway/%1/mode/").arg(domain));
    return count;
  }

  // Chooses `code` for the signed-in account, with few iterations to keep the test fast.
  static void chooseCode(const QString& code) {
    backend::AlarmLock lock;
    lock.setIterations(1000);
    std::optional<bool> stored;
    lock.setCode(code, [&](bool ok) { stored = ok; });
    ASSERT_TRUE(tbtest::waitUntil([&] { return stored.has_value(); }));
    ASSERT_TRUE(*stored);
  }

  // The code pad on show, if any.
  controls::CodePad* pad() const {
    for (auto* p : app->window()->findChildren<controls::CodePad*>())
      if (p->isVisible()) return p;
    return nullptr;
  }
};

TEST_F(SafetyScreenTest, ModesReachTheHomeAndARefusalComesBackWithOneAlert) {
  auto* screen = open<MySafetyController>("MySafetyController");
  ASSERT_NE(screen, nullptr);
  // The demo home: intrusion off, domestic safety on, home help off.
  EXPECT_EQ(screen->sliderAlarm()->selectedSection(), 0);
  EXPECT_TRUE(screen->switchDomestic()->isOn());
  EXPECT_FALSE(screen->switchHomehelp()->isOn());

  uitest::tap(screen->sliderAlarm()->btn3());
  uitest::tap(screen->switchHomehelp());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(homeMode(QStringLiteral("INTRUSION")), QStringLiteral("ON"));
  EXPECT_EQ(homeMode(QStringLiteral("ASSISTANCE")), QStringLiteral("ON"));
  EXPECT_EQ(alertCount(), 0);

  fail(QStringLiteral("/gateway/DOMESTIC/mode/"), QStringLiteral("PUT"));
  uitest::tap(screen->switchDomestic());
  ASSERT_TRUE(waitIdle());
  EXPECT_TRUE(screen->switchDomestic()->isOn());
  EXPECT_EQ(homeMode(QStringLiteral("DOMESTIC")), QStringLiteral("ON"));
  EXPECT_EQ(alertCount(), 1);
  dismissAlert();

  // The gateway off line refuses an intrusion change: the selector returns to the mode the home
  // accepted a moment ago.
  gatewayOffline(true);
  uitest::tap(screen->sliderAlarm()->btn2());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(screen->sliderAlarm()->selectedSection(), 2);
  EXPECT_EQ(homeMode(QStringLiteral("INTRUSION")), QStringLiteral("ON"));
  EXPECT_EQ(alertCount(), 1);
  EXPECT_EQ(topAlertMessage(), foundation::localized("kTradAlertGatewayOff"));
}

TEST_F(SafetyScreenTest, LoweringTheAlarmWaitsForTheRightCodeRaisingItNeverAsks) {
  chooseCode(QStringLiteral("2580"));
  auto* screen = open<MySafetyController>("MySafetyController");
  ASSERT_NE(screen, nullptr);

  // Raising: total intrusion leaves at once.
  uitest::tap(screen->sliderAlarm()->btn3());
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(pad(), nullptr);
  EXPECT_EQ(homeMode(QStringLiteral("INTRUSION")), QStringLiteral("ON"));

  // Domestic safety off: the pad asks, nothing leaves; cancelled, the switch is back on.
  uitest::tap(screen->switchDomestic());
  ASSERT_NE(pad(), nullptr);
  QTest::keyClick(pad(), Qt::Key_Escape);
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(pad(), nullptr);
  EXPECT_TRUE(screen->switchDomestic()->isOn());
  EXPECT_EQ(modeCommands(QStringLiteral("DOMESTIC")), 0);

  // Intrusion down to partial: a wrong code sends nothing, the right one sends the command.
  uitest::tap(screen->sliderAlarm()->btn2());
  ASSERT_NE(pad(), nullptr);
  QTest::keyClicks(pad(), QStringLiteral("1111"));
  QTest::keyClick(pad(), Qt::Key_Return);
  ASSERT_TRUE(tbtest::waitUntil([&] { return !pad()->isBusy(); }));
  EXPECT_EQ(pad()->message(), foundation::localized("kLockWrong").arg(4));
  EXPECT_EQ(modeCommands(QStringLiteral("INTRUSION")), 1);
  QTest::keyClicks(pad(), QStringLiteral("2580"));
  QTest::keyClick(pad(), Qt::Key_Return);
  ASSERT_TRUE(tbtest::waitUntil([&] { return pad() == nullptr; }));
  ASSERT_TRUE(waitIdle());
  EXPECT_EQ(modeCommands(QStringLiteral("INTRUSION")), 2);
  EXPECT_EQ(homeMode(QStringLiteral("INTRUSION")), QStringLiteral("PRESENCE"));
  EXPECT_EQ(screen->sliderAlarm()->selectedSection(), 1);
  EXPECT_EQ(homeMode(QStringLiteral("DOMESTIC")), QStringLiteral("ON"));
  EXPECT_EQ(alertCount(), 0);
}

TEST_F(SafetyScreenTest, AForgottenCodeGivesWayOnlyToTheAccountsPassword) {
  chooseCode(QStringLiteral("2580"));
  auto* screen = open<MySafetyController>("MySafetyController");
  ASSERT_NE(screen, nullptr);
  uitest::tap(screen->switchDomestic());
  ASSERT_NE(pad(), nullptr);
  auto* prompt = app->window()->findChild<controls::CodePrompt*>();
  ASSERT_NE(prompt, nullptr);
  prompt->lock().setIterations(1000);  // for the new code
  pad()->forgottenButton()->activate();
  controls::TextField* field = prompt->passwordField();
  ASSERT_NE(field, nullptr);
  ASSERT_TRUE(field->isVisible());

  QTest::keyClicks(field, QStringLiteral("guess"));
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_TRUE(tbtest::waitUntil([&] { return field->isEnabled(); }));
  EXPECT_TRUE(backend::AlarmLock().hasCode());
  EXPECT_EQ(backend::AlarmLock().failures(), 1) << "a wrong password is a wrong try";
  EXPECT_EQ(pad(), nullptr) << "still on the password page";

  QTest::keyClicks(field, password());
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_TRUE(tbtest::waitUntil([&] { return pad() != nullptr; }));
  EXPECT_FALSE(backend::AlarmLock().hasCode()) << "the forgotten code is gone once the password is proven";
  EXPECT_EQ(pad()->title(), foundation::localized("kLockChooseTitle"));
  for (int twice = 0; twice < 2; ++twice) {
    QTest::keyClicks(pad(), QStringLiteral("13579"));
    QTest::keyClick(pad(), Qt::Key_Return);
  }
  ASSERT_TRUE(tbtest::waitUntil([&] { return pad() == nullptr; }));
  ASSERT_TRUE(waitIdle());
  // The question is answered: the command left, and the new code is the one asked from now on.
  EXPECT_EQ(homeMode(QStringLiteral("DOMESTIC")), QStringLiteral("OFF"));
  std::optional<backend::AlarmLock::Verdict> verdict;
  backend::AlarmLock lock;
  lock.verify(QStringLiteral("13579"), [&](backend::AlarmLock::Verdict v) { verdict = v; });
  ASSERT_TRUE(tbtest::waitUntil([&] { return verdict.has_value(); }, 20000));
  EXPECT_EQ(*verdict, backend::AlarmLock::Verdict::Right);
}

TEST_F(SafetyScreenTest, TheCodeOpensTheAppAgainOnlyAfterTheChosenMinutesAway) {
  chooseCode(QStringLiteral("2580"));
  backend::AlarmLock().setBackgroundMinutes(5);
  auto& center = foundation::NotificationCenter::defaultCenter();
  auto away = [&](double seconds) {
    center.post(rest::RestApplicationDidEnterBackgroundNotification);
    advance(seconds);
    center.post(rest::RestApplicationWillEnterForegroundNotification);
  };
  away(299);
  EXPECT_EQ(pad(), nullptr);
  away(300);
  ASSERT_NE(pad(), nullptr);
  EXPECT_FALSE(pad()->cancelButton()->isVisible()) << "no way out but the code";
  QTest::keyClick(pad(), Qt::Key_Escape);
  EXPECT_NE(pad(), nullptr);
  QTest::keyClicks(pad(), QStringLiteral("2580"));
  QTest::keyClick(pad(), Qt::Key_Return);
  EXPECT_TRUE(tbtest::waitUntil([&] { return pad() == nullptr; }));
}

TEST_F(SafetyScreenTest, EnergiesOpensFromTheMenuWithItsNotice) {
  auto* screen = open<MyEnergiesController>("MyEnergiesController");
  ASSERT_NE(screen, nullptr);
  auto* notice = screen->view()->findChild<ui::Label*>(QStringLiteral("soonAvailable"));
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->text(), foundation::localized("Soon Available"));
  EXPECT_FALSE(notice->text().isEmpty());
  EXPECT_EQ(alertCount(), 0);
}

}  // namespace screentest
