// The main menu: the two columns and their rows, the choice of a row, the dispatch by screen name,
// the bar above the screens it opens, and the way back to the root.
#include "ShellTestSupport.h"

#include "controls/AppNotifications.h"
#include "controls/CustomNavBar.h"
#include "app/LeftVerticalNav.h"
#include "app/RightVerticalNav.h"
#include "app/RootViewController.h"
#include "app/ScreenCatalog.h"
#include "controls/UISessionManager.h"

#include "foundation/Strings.h"
#include "support/Wait.h"
#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Views.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

using namespace shelltest;

namespace {

class MainMenuTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (const char* name : {"MyWeatherController", "MyLightingController", "MyHistoryController"})
      app::ScreenCatalog::shared().registerScreen(QString::fromLatin1(name), [] { return new CountedScreen(); });
    launch();
    signInAndDismissPopup();
  }
  void TearDown() override {
    ShellTest::TearDown();
    for (const char* name : {"MyWeatherController", "MyLightingController", "MyHistoryController"})
      app::ScreenCatalog::shared().unregisterScreen(QString::fromLatin1(name));
    app::registerKnownScreens(app::ScreenCatalog::shared());  // the app's own screens back
  }
  RootViewController* menu() const { return app->rootViewController(); }
  ui::NavigationController* navigation() const { return app->navigationController(); }
  // A click in the middle of a row of a column, as the user makes it.
  static void clickRow(controls::MenuColumn* column, int row) {
    const QRect rect = column->tableView()->rectForRowAtIndexPath({0, row});
    QTest::mouseClick(column->tableView(), Qt::LeftButton, {}, rect.center());
  }
};

TEST_F(MainMenuTest, TheColumnsHaveTheirRowsWithTheirHeightsLabelsAndPictures) {
  struct Row {
    int height;
    const char* label;
    const char* second;
    const char* picture;
    const char* screen;
  };
  const std::vector<Row> left = {
      {131, "MYHOME", nullptr, "menu_myhome.png", "MyHomeController"},
      {131, "FAVORITES", nullptr, "menu_myfavorites.png", "MyFavoritesController"},
      {133, "MyOrHistory", "HistoryOrEmpty", "menu_myhistory.png", "MyHistoryController"},
  };
  const std::vector<Row> right = {
      {55, "SAFETY", nullptr, "menu_mysecurity.png", "MySafetyController"},
      {55, "SUPERVISION", nullptr, "menu_mysupervision.png", "MySupervisionController"},
      {55, "LIGHTING", nullptr, "menu_mylighting.png", "MyLightingController"},
      {55, "SHUTTERS", nullptr, "menu_myshutters.png", "MyShuttersController"},
      {55, "HEATING", nullptr, "menu_myheating.png", "MyHeatingController"},
      {55, "CONSUMPTION", nullptr, "menu_myconsumption.png", "MyEnergiesController"},
      {68, "WEATHER", nullptr, "menu_weather.png", "MyWeatherController"},
  };
  const std::pair<controls::MenuColumn*, const std::vector<Row>*> columns[] = {
      {menu()->leftVerticalNavTableCtrl(), &left}, {menu()->rightVerticalNavTableCtrl(), &right}};
  for (const auto& [column, rows] : columns) {
    QSignalSpy chosen(column, &controls::MenuColumn::itemChosen);
    ui::TableView* table = column->tableView();
    ASSERT_EQ(table->numberOfSections(), 1);
    ASSERT_EQ(table->numberOfRowsInSection(0), int(rows->size()));
    EXPECT_FALSE(table->isScrollEnabled());
    EXPECT_EQ(table->separatorStyle(), ui::TableView::SeparatorStyle::None);
    int top = 0;
    for (int i = 0; i < int(rows->size()); ++i) {
      const Row& row = (*rows)[size_t(i)];
      SCOPED_TRACE(row.label);
      EXPECT_EQ(table->rectForRowAtIndexPath({0, i}), QRect(0, top, table->width(), row.height));
      top += row.height;

      ui::TableViewCell* cell = table->cellForRowAtIndexPath({0, i});
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->reuseIdentifier(), QStringLiteral("CELLID"));
      auto* first = ui::viewWithTag<ui::Label>(cell, 3000);
      auto* second = ui::viewWithTag<ui::Label>(cell, 4000);
      ASSERT_TRUE(first && second);
      EXPECT_EQ(first->text(), foundation::localized(row.label));
      EXPECT_FALSE(first->text().isEmpty());
      EXPECT_EQ(second->text(), row.second ? foundation::localized(row.second) : QString());
      EXPECT_EQ(first->y(), 20);
      EXPECT_EQ(second->y(), 35);
      EXPECT_EQ(first->font().pixelSize(), 14);
      for (QWidget* background : {cell->backgroundView(), cell->selectedBackgroundView()}) {
        auto* picture = qobject_cast<ui::ImageView*>(background);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->imageName(), QString::fromLatin1(row.picture));
        EXPECT_FALSE(picture->image().isNull()) << "no picture " << row.picture;
      }

      chosen.clear();
      clickRow(column, i);
      EXPECT_EQ(UISessionManager::getInstance().selectedNavItem(), QString::fromLatin1(row.screen));
      ASSERT_EQ(chosen.size(), 1);
      EXPECT_EQ(chosen.front().front().toString(), QString::fromLatin1(row.screen));
      navigation()->popToRootViewControllerAnimated(false);
    }
  }
}

TEST_F(MainMenuTest, TheMenuShowsItsFooterUnderTheColumnsAndItsPicturesExist) {
  ui::Label* footer = menu()->footerLabel();
  EXPECT_FALSE(footer->text().isEmpty());
  EXPECT_EQ(footer->geometry().bottom(), menu()->view()->rect().bottom());
  EXPECT_TRUE(footer->isVisibleTo(menu()->view()));
  EXPECT_TRUE(qobject_cast<CustomNavBar*>(navigation()->navigationBar()));
  EXPECT_TRUE(navigation()->isNavigationBarHidden());
  for (const char* picture : {"menu_top.png", "menu_bottom.png", "nav_bar.png", "login_background.png",
                              "login_button_blue.png", "login_button_pressed_blue.png"})
    EXPECT_TRUE(ui::Images::exists(QString::fromLatin1(picture))) << picture;
  // The pressed button is its own picture, not the plain one in another colour.
  EXPECT_NE(ui::Images::named("login_button_pressed_blue.png").toImage({40, 42}),
            ui::Images::named("login_button_blue.png").toImage({40, 42}));
}

TEST_F(MainMenuTest, ARowOpensANewScreenOfItsKindUnderTheBarAndBackShowsTheMenuWithoutIt) {
  RightVerticalNav* right = menu()->rightVerticalNavTableCtrl();
  clickRow(right, 6);  // weather
  ASSERT_EQ(navigation()->viewControllers().size(), 2);
  QPointer<ui::Screen> first = navigation()->topViewController();
  EXPECT_NE(dynamic_cast<CountedScreen*>(first.data()), nullptr);
  EXPECT_FALSE(navigation()->isNavigationBarHidden());
  ASSERT_NE(navigation()->navigationBar()->backButton(), nullptr);
  EXPECT_EQ(navigation()->navigationBar()->backButton()->currentTitle(), foundation::localized("Back"));

  navigation()->popViewControllerAnimated(false);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(navigation()->isNavigationBarHidden());
  EXPECT_TRUE(first.isNull()) << "a screen left is gone";

  clickRow(right, 6);  // the same row again: a new screen
  ASSERT_EQ(navigation()->viewControllers().size(), 2);
  EXPECT_EQ(CountedScreen::alive(), 1);
  EXPECT_NE(dynamic_cast<CountedScreen*>(navigation()->topViewController()), nullptr);
}

TEST_F(MainMenuTest, ANameWithoutAScreenOpensNothing) {
  // A menu entry whose screen the catalog does not have, a name the menu does not know, none.
  app::ScreenCatalog::shared().unregisterScreen(QStringLiteral("MyHomeController"));
  for (const char* name : {"MyHomeController", "MyGarageController", ""}) {
    UISessionManager::getInstance().setSelectedNavItem(QString::fromLatin1(name));
    menu()->navItemClicked();
    EXPECT_EQ(navigation()->viewControllers().size(), 1) << name;
    EXPECT_TRUE(navigation()->isNavigationBarHidden()) << name;
  }
}

TEST_F(MainMenuTest, ARenewedSessionTakesThreeStackedScreensOffInOneAnimatedPop) {
  clickRow(menu()->rightVerticalNavTableCtrl(), 6);
  clickRow(menu()->rightVerticalNavTableCtrl(), 2);
  clickRow(menu()->leftVerticalNavTableCtrl(), 2);
  ASSERT_EQ(navigation()->viewControllers().size(), 4);
  ASSERT_EQ(CountedScreen::alive(), 3);

  ui::Animation::setDurationScale(1);
  foundation::NotificationCenter::defaultCenter().post(kRenewSession);
  EXPECT_TRUE(navigation()->isTransitioning()) << "animated";
  EXPECT_EQ(navigation()->viewControllers(), QList<ui::Screen*>{menu()});
  ASSERT_TRUE(tbtest::waitUntil([&] { return !navigation()->isTransitioning() && CountedScreen::alive() == 0; }));
  EXPECT_TRUE(navigation()->isNavigationBarHidden());
}

}  // namespace
