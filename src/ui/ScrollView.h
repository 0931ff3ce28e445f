#pragma once
// A scrolling area: a content view of `contentSize` moved under the bounds by `contentOffset`.
// The user drags the content; past an edge it follows on a rubber band (the offset goes negative
// when pulled down past the top) and springs back when released. With paging on, a released
// drag settles on a whole page. The delegate hears every offset change and the phases of a drag.
//
// Put the scrolling widgets in contentView() (or use addSubview). The content view is at least as
// large as the bounds; widgets outside it are clipped.
#include "foundation/Timer.h"

#include <QPointF>
#include "ui/Accessibility.h"
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <deque>

namespace ui {

class ScrollView;

class ScrollViewDelegate {
 public:
  virtual ~ScrollViewDelegate() = default;
  // Every change of the content offset: drags, settles, animations, programmatic changes.
  virtual void scrollViewDidScroll(ScrollView*) {}
  virtual void scrollViewWillBeginDragging(ScrollView*) {}
  virtual void scrollViewDidEndDraggingWillDecelerate(ScrollView*, bool /*decelerate*/) {}
  // Deceleration: the settle after a released drag (coasting, spring-back, paging).
  virtual void scrollViewWillBeginDecelerating(ScrollView*) {}
  virtual void scrollViewDidEndDecelerating(ScrollView*) {}
  // The end of an animated setContentOffset or scrollRectToVisible.
  virtual void scrollViewDidEndScrollingAnimation(ScrollView*) {}
};

class ScrollView : public QWidget, public AccessibleElement {
  Q_OBJECT
 public:
  explicit ScrollView(QWidget* parent = nullptr);
  ScrollView(const QRect& frame, QWidget* parent);
  ~ScrollView() override;

  QAccessible::Role accessibleRole() const override { return QAccessible::Pane; }

  QWidget* contentView() const { return m_content; }
  // Puts `widget` into the content view (keeps its position).
  void addSubview(QWidget* widget);

  void setContentSize(const QSize& size);
  QSize contentSize() const { return m_contentSize; }

  QPointF contentOffset() const { return m_offset; }
  // Stops any settle or animation first. Animated: 0.3 s, didScroll at every step, then
  // scrollViewDidEndScrollingAnimation.
  void setContentOffset(const QPointF& offset, bool animated = false);
  // Scrolls the least needed for `rect` (content coordinates) to be visible, within the content.
  void scrollRectToVisible(const QRectF& rect, bool animated);
  // Offsets from 0 to this are inside the content.
  QPointF maximumContentOffset() const;

  void setDelegate(ScrollViewDelegate* delegate) { m_delegate = delegate; }
  ScrollViewDelegate* delegate() const { return m_delegate; }

  void setScrollEnabled(bool enabled);
  bool isScrollEnabled() const { return m_scrollEnabled; }
  void setPagingEnabled(bool enabled) { m_paging = enabled; }
  bool isPagingEnabled() const { return m_paging; }
  void setBounces(bool bounces) { m_bounces = bounces; }
  bool bounces() const { return m_bounces; }
  // Bounce along an axis even when the content is not larger than the bounds.
  void setAlwaysBounceVertical(bool on) { m_alwaysBounceVertical = on; }
  void setAlwaysBounceHorizontal(bool on) { m_alwaysBounceHorizontal = on; }
  void setShowsVerticalScrollIndicator(bool on);
  void setShowsHorizontalScrollIndicator(bool on);
  bool showsVerticalScrollIndicator() const { return m_showsVertical; }
  bool showsHorizontalScrollIndicator() const { return m_showsHorizontal; }
  // Kept for the screens that set it; there is no status bar tap on a desktop.
  void setScrollsToTop(bool on) { m_scrollsToTop = on; }
  bool scrollsToTop() const { return m_scrollsToTop; }
  // Whether controls inside wait before taking a touch (see Control). On by default.
  void setDelaysContentTouches(bool on) { m_delaysContentTouches = on; }
  bool delaysContentTouches() const { return m_delaysContentTouches; }

  bool isDragging() const { return m_dragging; }
  bool isDecelerating() const { return m_decelerating; }
  // Whether a drag along `axis` would move the content.
  bool canScroll(Qt::Orientation axis) const;

  // The nearest enclosing scroll view of `widget` (not `widget` itself) that scrolls along `axis`.
  static ScrollView* enclosingScrollView(const QWidget* widget, Qt::Orientation axis);
  // The nearest enclosing scroll view that delays its content's touches.
  static ScrollView* enclosingTouchDelayingScrollView(const QWidget* widget);

  // A descendant hands over a touch that turned out to be a drag: the drag started at
  // `globalStart` and the finger is now at `globalNow` (global points, event time in ms).
  void adoptDrag(const QPointF& globalStart, const QPointF& globalNow, qint64 timeMs);
  void continueAdoptedDrag(const QPointF& globalNow, qint64 timeMs);
  void endAdoptedDrag(const QPointF& globalNow, qint64 timeMs);

 signals:
  // The user let go of a drag; `offset` is where the content stood then (y below 0: pulled past
  // the top). Heard before the delegate's scrollViewDidEndDraggingWillDecelerate.
  void dragReleased(QPointF offset);

 protected:
  // After every change of the visible part (offset or size), before the delegate hears of it.
  virtual void visibleRectDidChange() {}
  // A press and release on the content that did not become a drag (content coordinates).
  virtual void contentTapped(const QPointF& /*contentPos*/) {}

  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Sample {
    qint64 time;
    QPointF pos;
  };
  class Indicators;

  void applyOffset(const QPointF& offset);
  void layoutContent();
  void stopMotion();
  void beginDrag(const QPointF& globalStart, qint64 timeMs);
  void moveDrag(const QPointF& global, qint64 timeMs);
  void endDrag(const QPointF& global, qint64 timeMs);
  QPointF velocity() const;  // content points per second
  QPointF settleTarget(const QPointF& velocity) const;
  void animateTo(const QPointF& target, double seconds, bool deceleration);
  void setIndicatorsVisible(bool visible);

  QWidget* m_content = nullptr;
  Indicators* m_indicators = nullptr;
  ScrollViewDelegate* m_delegate = nullptr;
  QSize m_contentSize;
  QPointF m_offset;

  bool m_scrollEnabled = true;
  bool m_paging = false;
  bool m_bounces = true;
  bool m_alwaysBounceVertical = false;
  bool m_alwaysBounceHorizontal = false;
  bool m_showsVertical = true;
  bool m_showsHorizontal = true;
  bool m_scrollsToTop = true;
  bool m_delaysContentTouches = true;

  bool m_pressed = false;
  bool m_dragging = false;
  bool m_decelerating = false;
  bool m_animating = false;
  QPointF m_pressGlobal;
  qint64 m_pressTime = 0;
  QPointF m_dragStartOffset;
  std::deque<Sample> m_samples;
  QPointer<ScrollView> m_handedTo;
  bool m_caughtMotion = false;  // the press stopped a settle or an animation
  bool m_wandered = false;      // the finger went further than a tap allows
};

}  // namespace ui
