#pragma once
// The weather sheets' paging: a horizontally paged area with a page indicator under it. Every
// movement of the pages, by a swipe or by a tap on the indicator, is announced with pageChanged();
// the owner compares the page itself.
#include "ui/ScrollView.h"

#include <QColor>
#include <QWidget>

namespace ui {
class ImageView;
class PageIndicator;
}

class CustomPageControl2 : public QWidget, public ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kPageWidth = 320;
  static constexpr int kIndicatorHeight = 20;
  // The height of the menu strip over the pages.
  static constexpr int kMenuHeight = 49;

  CustomPageControl2(const QRect& frame, int numberOfPages, const QColor& indicatorColor, QWidget* parent = nullptr);
  ~CustomPageControl2() override;

  // Puts `view` on page `page`, under the menu strip, as high as the area leaves.
  void loadScrollViewWithPage(int page, QWidget* view);
  // Lays `menu` across the top of every page; it scrolls with them.
  void addMenu(QWidget* menu);

  // The indicator's action: shows its current page.
  void changePage();

  ui::ScrollView* scrollView() const { return m_scrollView; }
  ui::PageIndicator* pageControl() const { return m_pageControl; }
  int kNumberOfPages() const { return m_pages; }
  int currentPage() const;
  bool pageControlUsed() const { return m_pageControlUsed; }
  // The page whose middle is nearest to a horizontal offset, kept within the pages.
  int pageForOffset(double x) const;

  void scrollViewDidScroll(ui::ScrollView* scrollView) override;
  void scrollViewWillBeginDragging(ui::ScrollView* scrollView) override;
  void scrollViewDidEndDecelerating(ui::ScrollView* scrollView) override;

 signals:
  void pageChanged();

 private:
  void placeStripEnds();

  int m_pages;
  bool m_pageControlUsed = false;
  ui::ScrollView* m_scrollView = nullptr;
  ui::PageIndicator* m_pageControl = nullptr;
  // The strip continues past the first and the last page while the pages bounce.
  ui::ImageView* m_stripBefore = nullptr;
  ui::ImageView* m_stripAfter = nullptr;
};
