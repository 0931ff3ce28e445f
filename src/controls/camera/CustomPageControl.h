#pragma once
// The camera strip: one page per camera side by side in a paging area, a title bar above that
// shows the current page's title, and a row of dots below. The user swipes or taps the dots;
// every change of the current page (and every scroll step of a swipe) posts "changeImgStream",
// with this control as sender, so a screen knows which camera's still picture to refresh.
//
// Layout for a frame of height H: title bar on the top 20 points, pages in the next H - 40, dots
// on the bottom 20. Each page is as wide as the control (320 on the phone).
#include "ui/ScrollView.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

namespace ui {
class Label;
class PageIndicator;
}  // namespace ui

inline constexpr char kChangeImgStream[] = "changeImgStream";

class CustomPageControl : public QWidget, private ui::ScrollViewDelegate {
  Q_OBJECT
 public:
  static constexpr int kTitleHeight = 20;
  static constexpr int kIndicatorHeight = 20;

  // `titles` are the pages' titles by index; a page without one shows an empty title. A count
  // below zero counts as no page: the strip then shows an empty title and no dots.
  CustomPageControl(const QRect& frame, int numberOfPages, const QStringList& titles, const QColor& color,
                    QWidget* parent = nullptr);
  ~CustomPageControl() override;

  // Puts `view` over the whole of page `page` (it becomes a child of the paging area). Pages
  // outside the strip are refused with a warning.
  void loadScrollViewWithPageAndView(int page, QWidget* view);
  // Centres `imageView` on the page (its size unchanged) and lays `button` over the whole page
  // on top of it.
  void loadButtonWithPageAndBtnViewAndImgView(int page, QWidget* button, QWidget* imageView);

  // The dots' action: scrolls, animated, to the dots' current page.
  void changePage();
  // Shows the current page's title and posts "changeImgStream".
  void changeTitleContentTxt();

  ui::ScrollView* scrollView() const { return m_scrollView; }
  ui::PageIndicator* pageControl() const { return m_pageControl; }
  ui::Label* pageTitle() const { return m_pageTitle; }
  int kNumberOfPages() const { return m_numberOfPages; }
  const QStringList& titleTxtMutableArray() const { return m_titles; }

  int currentPage() const;
  // The frame of page `page` inside the paging area's content.
  QRect pageFrame(int page) const;
  int pageWidth() const { return width(); }
  int pageHeight() const;

 private:
  void scrollViewDidScroll(ui::ScrollView* scrollView) override;
  void scrollViewWillBeginDragging(ui::ScrollView* scrollView) override;
  void scrollViewDidEndDecelerating(ui::ScrollView* scrollView) override;
  void scrollViewDidEndScrollingAnimation(ui::ScrollView* scrollView) override;

  int m_numberOfPages = 0;
  QStringList m_titles;
  ui::ScrollView* m_scrollView = nullptr;
  ui::PageIndicator* m_pageControl = nullptr;
  QWidget* m_titleBar = nullptr;
  ui::Label* m_pageTitle = nullptr;
  // While a page change started from the dots is animated, its scroll steps must not move the
  // dots back through the pages in between.
  bool m_pageControlUsed = false;
};
