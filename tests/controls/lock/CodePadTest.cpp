// The code pad from the keyboard, from its keys and through what it tells screen readers.
#include "UiTestSupport.h"
#include "support/ManualClockFixture.h"

#include "controls/lock/CodePad.h"
#include "foundation/Strings.h"
#include "ui/Accessibility.h"
#include "ui/Button.h"
#include "ui/Control.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class CodePadTest : public tbtest::ManualClockFixture {
 protected:
  void SetUp() override {
    ManualClockFixture::SetUp();
    pad.setLengths(4, 6);
    pad.setCancelTitle(QStringLiteral("Annuler"));
    pad.show();
  }

  void keys(const QString& text) { QTest::keyClicks(&pad, text); }
  void key(Qt::Key k) { QTest::keyClick(&pad, k); }

  controls::CodePad pad{QStringLiteral("orange1")};
};

TEST_F(CodePadTest, KeyboardTypesErasesSubmitsAndCancels) {
  QSignalSpy submitted(&pad, &controls::CodePad::submitted);
  QSignalSpy cancelled(&pad, &controls::CodePad::cancelled);

  keys(QStringLiteral("1a2 3"));  // only digits count
  EXPECT_EQ(pad.code(), QStringLiteral("123"));
  key(Qt::Key_Return);  // too short: nothing leaves
  EXPECT_EQ(submitted.count(), 0);
  key(Qt::Key_Backspace);
  keys(QStringLiteral("456789"));  // six at most
  EXPECT_EQ(pad.code(), QStringLiteral("124567"));
  key(Qt::Key_Enter);
  ASSERT_EQ(submitted.count(), 1);
  EXPECT_EQ(submitted.at(0).at(0).toString(), QStringLiteral("124567"));

  // The keys do what the keyboard does.
  pad.clear();
  for (int digit : {9, 0, 0, 7}) uitest::tap(pad.digitKey(digit));
  uitest::tap(pad.eraseKey());
  uitest::tap(pad.digitKey(1));
  uitest::tap(pad.okKey());
  ASSERT_EQ(submitted.count(), 2);
  EXPECT_EQ(submitted.at(1).at(0).toString(), QStringLiteral("9001"));

  key(Qt::Key_Escape);
  EXPECT_EQ(cancelled.count(), 1);
  pad.setCancelTitle(QString());
  key(Qt::Key_Escape);  // no way out offered: Escape does nothing
  EXPECT_EQ(cancelled.count(), 1);
}

TEST_F(CodePadTest, AWaitTurnsTheKeysOffAndCountsDown) {
  QSignalSpy ended(&pad, &controls::CodePad::waitEnded);
  keys(QStringLiteral("12"));
  pad.showWait(61, QStringLiteral("wait %1"));
  EXPECT_EQ(pad.code(), QString());
  EXPECT_EQ(pad.message(), QStringLiteral("wait 1:01"));
  keys(QStringLiteral("1234"));
  EXPECT_EQ(pad.code(), QString());
  EXPECT_FALSE(pad.digitKey(1)->isEnabled());
  clock.advanceBy(60.0);
  EXPECT_EQ(pad.message(), QStringLiteral("wait 0:01"));
  clock.advanceBy(1.0);
  EXPECT_EQ(ended.count(), 1);
  keys(QStringLiteral("12"));
  EXPECT_EQ(pad.code(), QStringLiteral("12"));
}

TEST_F(CodePadTest, EveryKeyHasANameAndTheDotsSayHowManyDigits) {
  for (int digit = 0; digit <= 9; ++digit) EXPECT_EQ(ui::accessibleNameFor(pad.digitKey(digit)), QString::number(digit));
  EXPECT_EQ(ui::accessibleNameFor(pad.eraseKey()), foundation::localized("kLockErase"));
  EXPECT_EQ(ui::accessibleNameFor(pad.okKey()), foundation::localized("kLockOkName"));
  EXPECT_FALSE(ui::accessibleNameFor(pad.eraseKey()).isEmpty());
  keys(QStringLiteral("55"));
  bool found = false;
  for (QWidget* child : pad.findChildren<QWidget*>()) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(child);
    if (!iface || iface->text(QAccessible::Name) != foundation::localized("kLockDotsName")) continue;
    found = true;
    EXPECT_EQ(iface->text(QAccessible::Value), foundation::localized("kLockDotsValue").arg(2));
    EXPECT_FALSE(iface->text(QAccessible::Value).contains(QStringLiteral("55"))) << "the digits themselves are never told";
  }
  EXPECT_TRUE(found) << "no widget tells the digits typed";
}

}  // namespace
