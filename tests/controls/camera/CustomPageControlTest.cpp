#include "controls/camera/CustomPageControl.h"

#include "foundation/NotificationCenter.h"
#include "ui/Label.h"
#include "ui/PageIndicator.h"

#include "UiTestSupport.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CustomPageControlTest : public ::testing::Test {
 protected:
  // A strip of `pages` pages, 320 x 200 (pages of 320 x 160), counting its notifications.
  CustomPageControl* make(int pages, const QStringList& titles) {
    host.resize(320, 480);
    strip = new CustomPageControl(QRect(0, 0, 320, 200), pages, titles, QColor("#1671ad"), &host);
    host.show();
    return strip;
  }
  QString title() const { return strip->pageTitle()->text(); }

  int posted = 0;
  foundation::Observation counting = foundation::NotificationCenter::defaultCenter().addObserver(
      kChangeImgStream, [this](const foundation::Notification&) { ++posted; });
  QWidget host;
  CustomPageControl* strip = nullptr;
};

}  // namespace

TEST_F(CustomPageControlTest, OpensOnTheFirstPageAndAnnouncesItOnce) {
  make(3, {"Entrée", "Jardin", "Rue"});
  EXPECT_EQ(title(), "Entrée");
  EXPECT_EQ(strip->pageControl()->numberOfPages(), 3);
  EXPECT_EQ(strip->currentPage(), 0);
  EXPECT_EQ(posted, 1);
}

TEST_F(CustomPageControlTest, ASwipeTurnsThePageWhenMoreThanHalfOfTheNextIsInView) {
  make(3, {"Entrée", "Jardin", "Rue"});
  posted = 0;
  strip->scrollView()->setContentOffset(QPointF(159, 0));
  EXPECT_EQ(strip->currentPage(), 0);
  strip->scrollView()->setContentOffset(QPointF(161, 0));
  EXPECT_EQ(strip->currentPage(), 1);
  EXPECT_EQ(title(), "Jardin");
  EXPECT_EQ(posted, 2);  // one per scroll step, turned or not

  // A real finger: the strip settles on the next page.
  posted = 0;
  uitest::drag(&host, {300, 100}, {40, 100}, 10, 40);
  EXPECT_EQ(strip->scrollView()->contentOffset(), QPointF(640, 0));
  EXPECT_EQ(strip->currentPage(), 2);
  EXPECT_EQ(title(), "Rue");
  EXPECT_GT(posted, 1);
}

// Pulled past either end the offset leaves the content; the page stays the end page.
TEST_F(CustomPageControlTest, BouncingPastEitherEndKeepsThePageInRange) {
  make(3, {"Entrée", "Jardin", "Rue"});
  strip->scrollView()->setContentOffset(QPointF(-250, 0));
  EXPECT_EQ(strip->currentPage(), 0);
  EXPECT_EQ(title(), "Entrée");
  strip->scrollView()->setContentOffset(QPointF(640 + 250, 0));
  EXPECT_EQ(strip->currentPage(), 2);
  EXPECT_EQ(title(), "Rue");
}

TEST_F(CustomPageControlTest, APageWithoutATitleShowsNoneAndAStripWithoutPagesStaysQuiet) {
  make(3, {"Entrée"});
  strip->scrollView()->setContentOffset(QPointF(640, 0));
  EXPECT_EQ(strip->currentPage(), 2);
  EXPECT_EQ(title(), "");

  delete strip;
  make(0, {});
  EXPECT_EQ(title(), "");
  strip->scrollView()->setContentOffset(QPointF(100, 0));
  EXPECT_EQ(strip->currentPage(), 0);
  auto* view = new QWidget(&host);
  strip->loadScrollViewWithPageAndView(0, view);  // refused: there is no page 0
  EXPECT_EQ(view->parentWidget(), &host);
}

TEST_F(CustomPageControlTest, TappingTheDotsScrollsThereWithoutTheAnimationMovingThem) {
  make(3, {"Entrée", "Jardin", "Rue"});
  std::vector<int> seen;
  auto watch = foundation::NotificationCenter::defaultCenter().addObserver(
      kChangeImgStream, [&](const foundation::Notification&) { seen.push_back(strip->currentPage()); });
  strip->pageControl()->setCurrentPage(2);
  strip->changePage();
  EXPECT_EQ(strip->scrollView()->contentOffset(), QPointF(640, 0));
  EXPECT_EQ(title(), "Rue");
  EXPECT_EQ(seen, std::vector<int>{2});  // the animation's steps announced nothing

  // After the animation, scrolling moves the dots again.
  strip->scrollView()->setContentOffset(QPointF(0, 0));
  EXPECT_EQ(strip->currentPage(), 0);

  // A tap right of the dots' middle goes one page on.
  uitest::tap(strip->pageControl(), {250, 10});
  EXPECT_EQ(strip->currentPage(), 1);
  EXPECT_EQ(strip->scrollView()->contentOffset(), QPointF(320, 0));
  EXPECT_EQ(title(), "Jardin");
}
