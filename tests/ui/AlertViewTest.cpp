#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Window.h"

#include "UiTestSupport.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Presses : ui::AlertViewDelegate {
  std::vector<std::pair<QString, int>> calls;  // message, index
  void alertViewClickedButtonAtIndex(ui::AlertView* alert, int index) override { calls.emplace_back(alert->message(), index); }
};

class AlertViewTest : public ::testing::Test {
 protected:
  void SetUp() override { window.makeKeyAndVisible(); }
  ui::AlertView* show(const QString& message) {
    auto* alert = new ui::AlertView(QString(), message, &presses, QStringLiteral("OK"));
    alert->show(&window);
    return alert;
  }
  QStringList shown() const {
    QStringList messages;
    for (ui::AlertView* a : window.alerts()) messages << a->message();
    return messages;
  }

  ui::Window window;
  Presses presses;
};

}  // namespace

TEST_F(AlertViewTest, AlertsStackWithTheNewestOnTopAndEachPressUncoversTheNext) {
  ui::AlertView* first = show(QStringLiteral("gateway off"));
  ui::AlertView* second = show(QStringLiteral("server error"));
  ui::AlertView* third = show(QStringLiteral("session expired"));
  EXPECT_EQ(shown(), (QStringList{"gateway off", "server error", "session expired"}));
  EXPECT_TRUE(third->panel()->isVisible());
  EXPECT_FALSE(second->panel()->isVisible());
  EXPECT_FALSE(first->panel()->isVisible());

  uitest::tap(third->button());
  EXPECT_EQ(shown(), (QStringList{"gateway off", "server error"}));
  EXPECT_TRUE(second->panel()->isVisible());
  uitest::tap(second->button());
  uitest::tap(first->button());
  EXPECT_EQ(presses.calls, (std::vector<std::pair<QString, int>>{{"session expired", 0}, {"server error", 0}, {"gateway off", 0}}));
  EXPECT_TRUE(window.alerts().isEmpty());
}

TEST_F(AlertViewTest, APressedAlertTellsItsOwnerThenGoesAwayAndDeletesItself) {
  ui::AlertView* alert = show(QStringLiteral("no credit"));
  int handled = 0;
  bool stillShownInHandler = false;
  alert->setButtonHandler([&](ui::AlertView* a, int index) {
    ++handled;
    stillShownInHandler = a->isVisible();
    EXPECT_EQ(index, 0);
  });
  QPointer<ui::AlertView> guard(alert);
  uitest::tap(alert->button());
  EXPECT_EQ(presses.calls.size(), 1u);
  EXPECT_EQ(handled, 1);
  EXPECT_TRUE(stillShownInHandler);  // the owner hears the press before the alert goes
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
}

TEST_F(AlertViewTest, AnAlertShowsItsTextsAndTheReturnKeyPressesItsButton) {
  auto* alert = new ui::AlertView(QStringLiteral("Title"), QStringLiteral("A message long enough to wrap over two lines of the alert"),
                                  &presses, QStringLiteral("OK"));
  alert->show(&window);
  EXPECT_EQ(alert->titleLabel()->text(), QStringLiteral("Title"));
  EXPECT_EQ(alert->button()->currentTitle(), QStringLiteral("OK"));
  EXPECT_GT(alert->messageLabel()->height(), alert->messageLabel()->fontMetrics().height());
  const QRect panel = alert->panel()->geometry();
  EXPECT_EQ(panel.x() * 2 + panel.width(), window.applicationFrame().width());  // centred
  QTest::keyClick(alert->panel()->parentWidget(), Qt::Key_Return);
  EXPECT_EQ(presses.calls.size(), 1u);
  EXPECT_TRUE(window.alerts().isEmpty());
}

TEST_F(AlertViewTest, WhileAnAlertIsUpNothingBelowTakesTouches) {
  auto* below = new ui::Button(QRect(0, 20, 320, 460), &window);
  below->show();
  int pressed = 0;
  QObject::connect(below, &ui::Control::touchUpInside, [&] { ++pressed; });
  show(QStringLiteral("gateway off"));
  uitest::tap(&window, {10, 40});
  EXPECT_EQ(pressed, 0);
  window.alerts().first()->clickButtonAtIndex(0);
  uitest::tap(&window, {10, 40});
  EXPECT_EQ(pressed, 1);
}

TEST_F(AlertViewTest, DismissingWithoutAPressTellsNobodyAndAPressAfterThatDoesNothing) {
  ui::AlertView* alert = show(QStringLiteral("x"));
  alert->dismissWithClickedButtonIndex(0, false);
  alert->clickButtonAtIndex(0);
  EXPECT_TRUE(presses.calls.empty());
  EXPECT_TRUE(window.alerts().isEmpty());
}

TEST(AlertWithoutWindow, IsNotShownAndDoesNotCrash) {
  ASSERT_EQ(ui::Window::current(), nullptr);
  ui::AlertView alert(QString(), QStringLiteral("lost"), nullptr, QStringLiteral("OK"));
  alert.show();
  EXPECT_FALSE(alert.isVisible());
  alert.clickButtonAtIndex(0);
}

TEST_F(AlertViewTest, ASecondButtonSitsBesideTheCancelButtonAndTheReturnKeyNeverPressesIt) {
  for (const bool byKey : {true, false}) {
    SCOPED_TRACE(byKey ? "return key" : "tap on the second button");
    auto* alert = new ui::AlertView(QStringLiteral("Trust?"), QStringLiteral("fingerprint"), &presses, QStringLiteral("Refuse"));
    EXPECT_EQ(alert->addButtonWithTitle(QStringLiteral("Trust")), 1);
    alert->show(&window);
    EXPECT_EQ(alert->addButtonWithTitle(QStringLiteral("Late")), -1) << "the buttons are laid out when shown";
    ASSERT_EQ(alert->numberOfButtons(), 2);
    ui::Button* cancel = alert->buttonAtIndex(0);
    ui::Button* trust = alert->buttonAtIndex(1);
    EXPECT_EQ(trust->currentTitle(), QStringLiteral("Trust"));
    EXPECT_EQ(cancel->geometry().top(), trust->geometry().top());
    EXPECT_LT(cancel->geometry().right(), trust->geometry().left());
    if (byKey) QTest::keyClick(alert->panel()->parentWidget(), Qt::Key_Return);
    else uitest::tap(trust);
    EXPECT_EQ(presses.calls.back(), std::make_pair(QStringLiteral("fingerprint"), byKey ? 0 : 1));
    EXPECT_TRUE(window.alerts().isEmpty());
  }
}
