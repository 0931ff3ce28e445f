#include "ui/Animation.h"
#include "ui/BarButtonItem.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

#include "UiTestSupport.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Log = std::vector<std::string>;

namespace {

// A screen that writes its lifecycle into a shared log.
class LoggingScreen : public ui::Screen {
 public:
  LoggingScreen(std::string name, Log* log) : m_name(std::move(name)), m_log(log) { setTitle(QString::fromStdString(m_name)); }
  ~LoggingScreen() override { m_log->push_back(m_name + ".deleted"); }
  void viewDidLoad() override { m_log->push_back(m_name + ".didLoad"); }
  void viewWillAppear(bool) override { m_log->push_back(m_name + ".willAppear"); }
  void viewDidAppear(bool) override { m_log->push_back(m_name + ".didAppear"); }
  void viewWillDisappear(bool) override { m_log->push_back(m_name + ".willDisappear"); }
  void viewDidDisappear(bool) override { m_log->push_back(m_name + ".didDisappear"); }

 private:
  std::string m_name;
  Log* m_log;
};

void deleteLaterNow() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class NavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = new LoggingScreen("menu", &log);
    navigation = new ui::NavigationController(root);
    window.setRootViewController(navigation);
    window.makeKeyAndVisible();
    log.clear();
  }
  void TearDown() override {
    window.setRootViewController(nullptr);
    delete navigation;
  }

  Log log;
  ui::Window window;
  LoggingScreen* root = nullptr;
  ui::NavigationController* navigation = nullptr;
};

}  // namespace

TEST_F(NavigationTest, PushAndPopCallTheLifecycleInOrderAndPoppedScreensAreDeleted) {
  auto* weather = new LoggingScreen("weather", &log);
  navigation->pushViewController(weather, true);
  EXPECT_EQ(log, (Log{"weather.didLoad", "menu.willDisappear", "weather.willAppear", "menu.didDisappear", "weather.didAppear"}));
  EXPECT_EQ(navigation->topViewController(), weather);
  EXPECT_EQ(weather->navigationController(), navigation);
  EXPECT_TRUE(weather->view()->isVisible());
  EXPECT_FALSE(root->view()->isVisible());

  log.clear();
  QPointer<ui::Screen> guard(weather);
  navigation->popViewControllerAnimated(true);
  EXPECT_EQ(log, (Log{"weather.willDisappear", "menu.willAppear", "weather.didDisappear", "menu.didAppear"}));
  EXPECT_EQ(navigation->viewControllers(), QList<ui::Screen*>{root});
  deleteLaterNow();
  EXPECT_TRUE(guard.isNull());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "weather.deleted");
}

TEST_F(NavigationTest, TheRootIsNeverPopped) {
  navigation->popViewControllerAnimated(true);
  navigation->popToRootViewControllerAnimated(true);
  EXPECT_EQ(navigation->viewControllers(), QList<ui::Screen*>{root});
  EXPECT_TRUE(log.empty());
}

TEST_F(NavigationTest, PopToRootFromThreeDeepIsOneTransitionAndDeletesEveryPoppedScreen) {
  auto* a = new LoggingScreen("a", &log);
  auto* b = new LoggingScreen("b", &log);
  auto* c = new LoggingScreen("c", &log);
  navigation->pushViewController(a, false);
  navigation->pushViewController(b, false);
  navigation->pushViewController(c, false);
  log.clear();
  navigation->popToRootViewControllerAnimated(true);
  // Only the screen on show and the root hear of it; a and b were never on screen.
  EXPECT_EQ(log, (Log{"c.willDisappear", "menu.willAppear", "c.didDisappear", "menu.didAppear"}));
  deleteLaterNow();
  EXPECT_EQ(std::count(log.begin(), log.end(), "a.deleted") + std::count(log.begin(), log.end(), "b.deleted") +
                std::count(log.begin(), log.end(), "c.deleted"),
            3);
  EXPECT_EQ(navigation->topViewController(), root);
}

TEST_F(NavigationTest, APushDuringASlideFirstCompletesThatSlide) {
  ui::Animation::setDurationScale(1.0);
  auto* a = new LoggingScreen("a", &log);
  auto* b = new LoggingScreen("b", &log);
  navigation->pushViewController(a, true);
  EXPECT_TRUE(navigation->isTransitioning());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "a.willAppear");
  navigation->pushViewController(b, true);
  EXPECT_EQ(log, (Log{"a.didLoad", "menu.willDisappear", "a.willAppear", "menu.didDisappear", "a.didAppear", "b.didLoad",
                      "a.willDisappear", "b.willAppear"}));
  ui::Animation::finish(navigation, "navigation.transition");
  EXPECT_FALSE(navigation->isTransitioning());
  EXPECT_EQ(b->view()->geometry(), navigation->contentFrame().translated(-navigation->contentFrame().topLeft()));
  EXPECT_FALSE(a->view()->isVisible());
}

TEST_F(NavigationTest, TheBackButtonReadsThePreviousScreensBackItemAndPops) {
  ui::NavigationBar* bar = navigation->navigationBar();
  EXPECT_EQ(bar->backButton(), nullptr);  // nothing to go back to from the root
  root->navigationItem()->setBackBarButtonItem(new ui::BarButtonItem(QStringLiteral("Retour"), ui::BarButtonItem::Style::Done));
  auto* lights = new LoggingScreen("lights", &log);
  navigation->pushViewController(lights, true);
  ASSERT_NE(bar->backButton(), nullptr);
  EXPECT_EQ(bar->backButton()->currentTitle(), QStringLiteral("Retour"));
  EXPECT_EQ(bar->titleLabel()->text(), QStringLiteral("lights"));

  auto* scenarios = new LoggingScreen("scenarios", &log);
  navigation->pushViewController(scenarios, false);
  EXPECT_EQ(bar->backButton()->currentTitle(), QStringLiteral("lights"));  // no back item: the title

  uitest::tap(bar->backButton());
  EXPECT_EQ(navigation->topViewController(), lights);
  EXPECT_EQ(bar->backButton()->currentTitle(), QStringLiteral("Retour"));
}

TEST_F(NavigationTest, ARightButtonTriggersItsItem) {
  auto* lights = new LoggingScreen("lights", &log);
  auto* item = new ui::BarButtonItem(QStringLiteral("Scenarios"));
  int triggered = 0;
  QObject::connect(item, &ui::BarButtonItem::triggered, [&] { ++triggered; });
  lights->navigationItem()->setRightBarButtonItem(item);
  navigation->pushViewController(lights, false);
  ASSERT_NE(navigation->navigationBar()->rightButton(), nullptr);
  EXPECT_EQ(navigation->navigationBar()->rightButton()->currentTitle(), QStringLiteral("Scenarios"));
  uitest::tap(navigation->navigationBar()->rightButton());
  EXPECT_EQ(triggered, 1);
}

TEST_F(NavigationTest, TheContentFillsTheAreaBelowTheBarOrAllOfItWhenTheBarIsHidden) {
  const int height = window.applicationFrame().height();  // 460
  EXPECT_EQ(navigation->contentFrame(), QRect(0, 44, 320, height - 44));
  EXPECT_EQ(root->view()->size(), QSize(320, height - 44));
  navigation->setNavigationBarHidden(true, true);
  EXPECT_EQ(navigation->contentFrame(), QRect(0, 0, 320, height));
  EXPECT_EQ(root->view()->size(), QSize(320, height));
  EXPECT_FALSE(navigation->navigationBar()->isVisible());
  navigation->setNavigationBarHidden(false);
  EXPECT_TRUE(navigation->navigationBar()->isVisible());
  EXPECT_EQ(root->view()->geometry(), QRect(0, 0, 320, height - 44));
}

// Banners stack under the bar in the order added and take their room from the screen, so that
// they never cover its top; hidden or deleted, they give it back.
TEST_F(NavigationTest, ShownBannersPushTheScreenDownAndGiveTheRoomBackWhenTheyGo) {
  const int height = window.applicationFrame().height();
  auto* offline = new QWidget(navigation->view());
  offline->resize(10, 20);
  auto* alarm = new QWidget(navigation->view());
  alarm->resize(10, 28);
  navigation->addBanner(offline);
  navigation->addBanner(alarm);
  EXPECT_EQ(root->view()->size(), QSize(320, height - 44));
  offline->show();
  EXPECT_EQ(offline->geometry(), QRect(0, 44, 320, 20));
  EXPECT_EQ(root->view()->size(), QSize(320, height - 64));
  alarm->show();
  EXPECT_EQ(alarm->geometry(), QRect(0, 64, 320, 28));
  EXPECT_EQ(navigation->contentFrame(), QRect(0, 92, 320, height - 92));
  EXPECT_EQ(root->view()->size(), QSize(320, height - 92));
  offline->hide();
  EXPECT_EQ(alarm->geometry(), QRect(0, 44, 320, 28));
  navigation->setNavigationBarHidden(true);
  EXPECT_EQ(alarm->geometry(), QRect(0, 0, 320, 28));
  EXPECT_EQ(root->view()->geometry(), QRect(0, 0, 320, height - 28));
  delete alarm;
  ASSERT_TRUE(tbtest::waitUntil([&] { return root->view()->height() == height; }));
}

TEST_F(NavigationTest, AReplacedBarShowsTheSameItemsAndKeepsTheHiddenState) {
  auto* lights = new LoggingScreen("lights", &log);
  navigation->pushViewController(lights, false);
  navigation->setNavigationBarHidden(true);
  auto* custom = new ui::NavigationBar();
  custom->setBackgroundImageName(QStringLiteral("nav_bar.png"));
  navigation->setNavigationBar(custom);
  EXPECT_EQ(navigation->navigationBar(), custom);
  EXPECT_FALSE(custom->isVisible());
  navigation->setNavigationBarHidden(false);
  EXPECT_TRUE(custom->isVisible());
  EXPECT_EQ(custom->backgroundImageName(), QStringLiteral("nav_bar.png"));
  ASSERT_NE(custom->backButton(), nullptr);
  uitest::tap(custom->backButton());
  EXPECT_EQ(navigation->topViewController(), root);
}

TEST(NavigationWithoutWindow, ScreensLoadButHearNoAppearance) {
  Log log;
  auto* root = new LoggingScreen("root", &log);
  ui::NavigationController navigation(root);
  EXPECT_EQ(log, (Log{"root.didLoad"}));
  navigation.pushViewController(new LoggingScreen("next", &log), true);
  EXPECT_EQ(log, (Log{"root.didLoad", "next.didLoad"}));
}
