#include "controls/camera/CustomPageControl.h"

#include "foundation/NotificationCenter.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/PageIndicator.h"
#include "ui/Views.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

namespace {
Q_LOGGING_CATEGORY(lcPageControl, "controls.camera")
}

CustomPageControl::CustomPageControl(const QRect& frame, int numberOfPages, const QStringList& titles,
                                     const QColor& color, QWidget* parent)
    : QWidget(parent), m_numberOfPages(std::max(0, numberOfPages)), m_titles(titles) {
  setGeometry(frame);
  const int w = frame.width();
  const int h = frame.height();

  m_scrollView = new ui::ScrollView(QRect(0, kTitleHeight, w, pageHeight()), this);
  m_scrollView->setPagingEnabled(true);
  ui::setBackgroundColor(m_scrollView, Qt::black);
  m_scrollView->setShowsHorizontalScrollIndicator(false);
  m_scrollView->setShowsVerticalScrollIndicator(false);
  m_scrollView->setScrollsToTop(false);
  m_scrollView->setContentSize(QSize(m_numberOfPages * w, pageHeight()));
  m_scrollView->setScrollEnabled(true);
  m_scrollView->setDelegate(this);

  m_titleBar = new QWidget(this);
  m_titleBar->setGeometry(0, 0, w, kTitleHeight);
  ui::setBackgroundColor(m_titleBar, color);
  m_pageTitle = new ui::Label(QRect(15, 3, w - 30, 15), m_titleBar);
  m_pageTitle->setTextColor(Qt::white);
  m_pageTitle->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 13));
  m_pageTitle->setTextAlignment(Qt::AlignLeft);

  m_pageControl = new ui::PageIndicator(QRect(0, h - kIndicatorHeight, w, kIndicatorHeight), this);
  m_pageControl->setNumberOfPages(m_numberOfPages);
  m_pageControl->setCurrentPage(0);
  ui::setBackgroundColor(m_pageControl, color);
  connect(m_pageControl, &ui::Control::valueChanged, this, [this] { changePage(); });

  changeTitleContentTxt();
}

CustomPageControl::~CustomPageControl() {
  // The paging area outlives this object's own members for a moment while children are deleted.
  if (m_scrollView) m_scrollView->setDelegate(nullptr);
}

int CustomPageControl::pageHeight() const { return std::max(0, height() - kTitleHeight - kIndicatorHeight); }

QRect CustomPageControl::pageFrame(int page) const { return QRect(page * pageWidth(), 0, pageWidth(), pageHeight()); }

int CustomPageControl::currentPage() const { return m_pageControl->currentPage(); }

void CustomPageControl::loadScrollViewWithPageAndView(int page, QWidget* view) {
  if (!view) return;
  if (page < 0 || page >= m_numberOfPages) {
    qCWarning(lcPageControl) << "camera strip: no page" << page << "among" << m_numberOfPages;
    return;
  }
  view->setParent(m_scrollView->contentView());
  view->setGeometry(pageFrame(page));
  view->show();
}

void CustomPageControl::loadButtonWithPageAndBtnViewAndImgView(int page, QWidget* button, QWidget* imageView) {
  if (page < 0 || page >= m_numberOfPages) {
    qCWarning(lcPageControl) << "camera strip: no page" << page << "among" << m_numberOfPages;
    return;
  }
  const QRect frame = pageFrame(page);
  if (imageView) {
    imageView->setParent(m_scrollView->contentView());
    QRect r(QPoint(0, 0), imageView->size());
    r.moveCenter(frame.center());
    imageView->setGeometry(r);
    imageView->show();
  }
  if (button) {
    button->setParent(m_scrollView->contentView());
    button->setGeometry(frame);
    button->show();
    button->raise();
  }
}

void CustomPageControl::changePage() {
  const int w = pageWidth();
  // Set before scrolling: an animation of no duration delivers all its steps inside the call.
  m_pageControlUsed = true;
  m_scrollView->scrollRectToVisible(QRectF(w * currentPage(), 0, w, m_scrollView->height()), true);
  changeTitleContentTxt();
}

void CustomPageControl::changeTitleContentTxt() {
  const int page = currentPage();
  // A strip may have fewer titles than pages (or no page at all): such a page has no title.
  m_pageTitle->setText(page >= 0 && page < m_numberOfPages && page < m_titles.size() ? m_titles.at(page) : QString());
  foundation::NotificationCenter::defaultCenter().post(kChangeImgStream, this);
}

void CustomPageControl::scrollViewDidScroll(ui::ScrollView* scrollView) {
  if (m_pageControlUsed || m_numberOfPages == 0) return;
  const double w = pageWidth();
  if (w <= 0) return;
  const double x = scrollView->contentOffset().x();
  // The page whose middle half is in view; a bounce past either end still names an end page.
  const int page = int(std::floor((x - w / 2) / w)) + 1;
  m_pageControl->setCurrentPage(std::clamp(page, 0, m_numberOfPages - 1));
  changeTitleContentTxt();
}

void CustomPageControl::scrollViewWillBeginDragging(ui::ScrollView*) { m_pageControlUsed = false; }

void CustomPageControl::scrollViewDidEndDecelerating(ui::ScrollView*) { m_pageControlUsed = false; }

void CustomPageControl::scrollViewDidEndScrollingAnimation(ui::ScrollView*) { m_pageControlUsed = false; }
