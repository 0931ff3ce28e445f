#include "controls/weather/CustomPageControl2.h"

#include "ui/ImageView.h"
#include "ui/PageIndicator.h"
#include "ui/Views.h"

#include <algorithm>
#include <cmath>

CustomPageControl2::CustomPageControl2(const QRect& frame, int numberOfPages, const QColor& indicatorColor,
                                       QWidget* parent)
    : QWidget(parent), m_pages(std::max(1, numberOfPages)) {
  setGeometry(frame);
  const int areaHeight = frame.height() - kIndicatorHeight;
  m_scrollView = new ui::ScrollView(QRect(0, 0, kPageWidth, areaHeight), this);
  m_scrollView->setPagingEnabled(true);
  m_scrollView->setShowsHorizontalScrollIndicator(false);
  m_scrollView->setShowsVerticalScrollIndicator(false);
  m_scrollView->setScrollsToTop(false);
  m_scrollView->setContentSize(QSize(m_pages * kPageWidth, areaHeight));
  m_scrollView->setDelegate(this);

  m_pageControl = new ui::PageIndicator(QRect(0, areaHeight, kPageWidth, kIndicatorHeight), this);
  m_pageControl->setNumberOfPages(m_pages);
  m_pageControl->setCurrentPage(0);
  ui::setBackgroundColor(m_pageControl, indicatorColor);
  connect(m_pageControl, &ui::Control::valueChanged, this, [this] { changePage(); });
}

CustomPageControl2::~CustomPageControl2() {
  // The area outlives this object's own part while the children are destroyed.
  m_scrollView->setDelegate(nullptr);
}

void CustomPageControl2::loadScrollViewWithPage(int page, QWidget* view) {
  if (!view || page < 0 || page >= m_pages) return;
  view->setParent(m_scrollView->contentView());
  view->setGeometry(page * kPageWidth, kMenuHeight, kPageWidth, height() - kIndicatorHeight - kMenuHeight);
  view->show();
}

void CustomPageControl2::addMenu(QWidget* menu) {
  if (!menu) return;
  menu->setParent(m_scrollView->contentView());
  menu->move(0, 0);
  menu->show();
  if (!m_stripBefore) {
    m_stripBefore = new ui::ImageView(QRect(0, 0, kPageWidth, kMenuHeight), m_scrollView);
    m_stripAfter = new ui::ImageView(QRect(0, 0, kPageWidth, kMenuHeight), m_scrollView);
    for (ui::ImageView* strip : {m_stripBefore, m_stripAfter}) {
      strip->setImageName(QStringLiteral("weather_tab_1_bg.png"));
      strip->lower();  // under the pages
    }
  }
  placeStripEnds();
}

void CustomPageControl2::placeStripEnds() {
  if (!m_stripBefore) return;
  const int x = int(std::lround(m_scrollView->contentOffset().x()));
  m_stripBefore->move(-x - kPageWidth, 0);
  m_stripAfter->move(m_pages * kPageWidth - x, 0);
}

int CustomPageControl2::currentPage() const { return m_pageControl->currentPage(); }

int CustomPageControl2::pageForOffset(double x) const {
  const double w = kPageWidth;
  const int page = int(std::floor((x - w / 2.0) / w)) + 1;
  // Past either end (the area bounces there) the nearest page is the first or the last.
  return std::clamp(page, 0, m_pages - 1);
}

void CustomPageControl2::changePage() {
  // Set first: the scrolling below may run at once, and its steps must not move the indicator.
  m_pageControlUsed = true;
  const int page = m_pageControl->currentPage();
  m_scrollView->scrollRectToVisible(QRectF(page * kPageWidth, 0, kPageWidth, m_scrollView->height()), true);
  emit pageChanged();
}

void CustomPageControl2::scrollViewDidScroll(ui::ScrollView*) {
  placeStripEnds();
  if (m_pageControlUsed) return;
  m_pageControl->setCurrentPage(pageForOffset(m_scrollView->contentOffset().x()));
  emit pageChanged();
}

void CustomPageControl2::scrollViewWillBeginDragging(ui::ScrollView*) { m_pageControlUsed = false; }

void CustomPageControl2::scrollViewDidEndDecelerating(ui::ScrollView*) { m_pageControlUsed = false; }
