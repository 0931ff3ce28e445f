#include "ui/ScrollView.h"

#include "ui/Animation.h"
#include "ui/ScrollMath.h"
#include "ui/Views.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

constexpr double kSlop = 10.0;
constexpr qint64 kVelocityWindowMs = 100;
constexpr double kPageSettleSeconds = 0.3;
constexpr double kSpringBackSeconds = 0.4;
constexpr double kScrollAnimationSeconds = 0.3;
const QByteArray kOffsetKey = "contentOffset";

double axisOf(const QPointF& p, Qt::Orientation axis) { return axis == Qt::Horizontal ? p.x() : p.y(); }
void setAxis(QPointF& p, Qt::Orientation axis, double v) {
  if (axis == Qt::Horizontal) {
    p.setX(v);
  } else {
    p.setY(v);
  }
}
double axisOf(const QSize& s, Qt::Orientation axis) { return axis == Qt::Horizontal ? s.width() : s.height(); }
Qt::Orientation other(Qt::Orientation axis) { return axis == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal; }
Qt::Orientation dominantAxis(const QPointF& delta) {
  return std::abs(delta.x()) > std::abs(delta.y()) ? Qt::Horizontal : Qt::Vertical;
}
bool near(double a, double b) { return std::abs(a - b) < 0.01; }

}  // namespace

// Thin bars that show where the visible part lies while the content moves.
class ScrollView::Indicators final : public QWidget {
 public:
  explicit Indicators(ScrollView* owner) : QWidget(owner), m_owner(owner) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    painter.setBrush(QColor(0, 0, 0, 115));
    const QSize bounds = m_owner->size();
    const QSize content = m_owner->contentSize();
    const QPointF offset = m_owner->contentOffset();
    auto bar = [&](Qt::Orientation axis) -> QRectF {
      const double view = axisOf(bounds, axis);
      const double total = axisOf(content, axis);
      if (total <= view || view < 20) return {};
      const double maxOffset = total - view;
      const double off = axisOf(offset, axis);
      const double overshoot = off < 0 ? -off : (off > maxOffset ? off - maxOffset : 0.0);
      const double track = view - 6.0;
      const double length = std::max(7.0, track * view / total - overshoot);
      const double position = 3.0 + (track - length) * std::clamp(off / maxOffset, 0.0, 1.0);
      return axis == Qt::Vertical ? QRectF(bounds.width() - 5.5, position, 3.0, length)
                                  : QRectF(position, bounds.height() - 5.5, length, 3.0);
    };
    if (m_owner->showsVerticalScrollIndicator()) {
      const QRectF r = bar(Qt::Vertical);
      if (!r.isEmpty()) painter.drawRoundedRect(r, 1.5, 1.5);
    }
    if (m_owner->showsHorizontalScrollIndicator()) {
      const QRectF r = bar(Qt::Horizontal);
      if (!r.isEmpty()) painter.drawRoundedRect(r, 1.5, 1.5);
    }
  }

 private:
  ScrollView* m_owner;
};

ScrollView::ScrollView(QWidget* parent) : QWidget(parent) {
  installAccessibility();
  m_content = new QWidget(this);
  m_content->setObjectName(QStringLiteral("contentView"));
  m_indicators = new Indicators(this);
  layoutContent();
}

ScrollView::ScrollView(const QRect& frame, QWidget* parent) : ScrollView(parent) { setGeometry(frame); }

ScrollView::~ScrollView() { m_delegate = nullptr; }

void ScrollView::addSubview(QWidget* widget) {
  if (!widget) return;
  const QPoint at = widget->pos();
  widget->setParent(m_content);
  widget->move(at);
  widget->show();
}

void ScrollView::setContentSize(const QSize& size) {
  m_contentSize = QSize(std::max(0, size.width()), std::max(0, size.height()));
  layoutContent();
  visibleRectDidChange();
  m_indicators->update();
}

QPointF ScrollView::maximumContentOffset() const {
  return QPointF(std::max(0, m_contentSize.width() - width()), std::max(0, m_contentSize.height() - height()));
}

bool ScrollView::canScroll(Qt::Orientation axis) const {
  if (!m_scrollEnabled) return false;
  const bool always = axis == Qt::Horizontal ? m_alwaysBounceHorizontal : m_alwaysBounceVertical;
  return always || axisOf(m_contentSize, axis) > axisOf(size(), axis);
}

void ScrollView::setScrollEnabled(bool enabled) {
  m_scrollEnabled = enabled;
  if (!enabled && m_dragging) {
    m_dragging = false;
    m_pressed = false;
    setIndicatorsVisible(false);
  }
}

void ScrollView::setShowsVerticalScrollIndicator(bool on) {
  m_showsVertical = on;
  m_indicators->update();
}

void ScrollView::setShowsHorizontalScrollIndicator(bool on) {
  m_showsHorizontal = on;
  m_indicators->update();
}

ScrollView* ScrollView::enclosingScrollView(const QWidget* widget, Qt::Orientation axis) {
  for (QWidget* w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
    if (auto* scroller = qobject_cast<ScrollView*>(w); scroller && scroller->canScroll(axis)) return scroller;
  }
  return nullptr;
}

ScrollView* ScrollView::enclosingTouchDelayingScrollView(const QWidget* widget) {
  for (QWidget* w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
    auto* scroller = qobject_cast<ScrollView*>(w);
    if (scroller && scroller->delaysContentTouches() &&
        (scroller->canScroll(Qt::Horizontal) || scroller->canScroll(Qt::Vertical))) {
      return scroller;
    }
  }
  return nullptr;
}

void ScrollView::applyOffset(const QPointF& offset) {
  if (offset == m_offset) return;
  m_offset = offset;
  layoutContent();
  visibleRectDidChange();
  m_indicators->update();
  if (m_delegate) m_delegate->scrollViewDidScroll(this);
}

void ScrollView::layoutContent() {
  const QSize size(std::max(m_contentSize.width(), width()), std::max(m_contentSize.height(), height()));
  m_content->setGeometry(QRect(QPoint(-qRound(m_offset.x()), -qRound(m_offset.y())), size));
  m_indicators->setGeometry(rect());
}

void ScrollView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutContent();
  visibleRectDidChange();
}

void ScrollView::stopMotion() {
  if (m_decelerating || m_animating) Animation::stop(this, kOffsetKey);
  m_decelerating = false;
  m_animating = false;
}

void ScrollView::setContentOffset(const QPointF& offset, bool animated) {
  stopMotion();
  if (!animated) {
    applyOffset(offset);
    return;
  }
  setIndicatorsVisible(true);
  animateTo(offset, kScrollAnimationSeconds, false);
}

void ScrollView::scrollRectToVisible(const QRectF& rect, bool animated) {
  QPointF target = m_offset;
  const QPointF maxOffset = maximumContentOffset();
  for (Qt::Orientation axis : {Qt::Horizontal, Qt::Vertical}) {
    const double view = axisOf(size(), axis);
    const double start = axis == Qt::Horizontal ? rect.left() : rect.top();
    const double length = axis == Qt::Horizontal ? rect.width() : rect.height();
    double value = axisOf(m_offset, axis);
    if (start < value) {
      value = start;
    } else if (start + length > value + view) {
      value = start + length - view;
    }
    setAxis(target, axis, std::clamp(value, 0.0, axisOf(maxOffset, axis)));
  }
  setContentOffset(target, animated);
}

void ScrollView::animateTo(const QPointF& target, double seconds, bool deceleration) {
  (deceleration ? m_decelerating : m_animating) = true;
  const QPointF from = m_offset;
  Animation::run(
      this, kOffsetKey, seconds, [this, from, target](double p) { applyOffset(from + (target - from) * p); },
      [this, deceleration](bool finished) {
        (deceleration ? m_decelerating : m_animating) = false;
        if (!finished) return;
        setIndicatorsVisible(false);
        if (!m_delegate) return;
        if (deceleration) {
          m_delegate->scrollViewDidEndDecelerating(this);
        } else {
          m_delegate->scrollViewDidEndScrollingAnimation(this);
        }
      },
      Curve::EaseOut);
}

void ScrollView::setIndicatorsVisible(bool visible) {
  if (visible) {
    Animation::stop(m_indicators, "alpha");
    setAlpha(m_indicators, 1.0);
    m_indicators->raise();
    m_indicators->show();
    return;
  }
  if (!m_indicators->isVisible()) return;
  QPointer<QWidget> indicators(m_indicators);
  Animation::fadeTo(m_indicators, 0.0, 0.25, [indicators](bool finished) {
    if (finished && indicators) indicators->hide();
  });
}

// -- Dragging -------------------------------------------------------------------------------

void ScrollView::beginDrag(const QPointF& globalStart, qint64 timeMs) {
  stopMotion();
  m_dragging = true;
  m_pressGlobal = globalStart;
  m_dragStartOffset = m_offset;
  m_samples.clear();
  m_samples.push_back({timeMs, globalStart});
  setIndicatorsVisible(true);
  if (m_delegate) m_delegate->scrollViewWillBeginDragging(this);
}

void ScrollView::moveDrag(const QPointF& global, qint64 timeMs) {
  if (!m_dragging) return;
  m_samples.push_back({timeMs, global});
  while (m_samples.size() > 2 && m_samples.front().time < timeMs - kVelocityWindowMs) m_samples.pop_front();
  const QPointF raw = m_dragStartOffset - (global - m_pressGlobal);
  const QPointF maxOffset = maximumContentOffset();
  QPointF next = m_offset;
  for (Qt::Orientation axis : {Qt::Horizontal, Qt::Vertical}) {
    if (!canScroll(axis)) continue;
    setAxis(next, axis,
            scrollmath::dragOffset(axisOf(raw, axis), 0.0, axisOf(maxOffset, axis), axisOf(size(), axis), m_bounces));
  }
  applyOffset(next);
}

QPointF ScrollView::velocity() const {
  if (m_samples.size() < 2) return {};
  const Sample& last = m_samples.back();
  // The oldest sample inside the window before the last one.
  const Sample* first = nullptr;
  for (const Sample& s : m_samples) {
    if (s.time >= last.time - kVelocityWindowMs && &s != &last) {
      first = &s;
      break;
    }
  }
  if (!first || last.time <= first->time) return {};
  const double seconds = (last.time - first->time) / 1000.0;
  return -(last.pos - first->pos) / seconds;  // the content moves against the finger
}

QPointF ScrollView::settleTarget(const QPointF& v) const {
  QPointF target = m_offset;
  const QPointF maxOffset = maximumContentOffset();
  for (Qt::Orientation axis : {Qt::Horizontal, Qt::Vertical}) {
    const double offset = axisOf(m_offset, axis);
    const double limit = axisOf(maxOffset, axis);
    if (!canScroll(axis)) {
      setAxis(target, axis, std::clamp(offset, 0.0, limit));
      continue;
    }
    if (m_paging) {
      const double page = axisOf(size(), axis);
      const int count = std::max(1, static_cast<int>(std::ceil(axisOf(m_contentSize, axis) / std::max(1.0, page))));
      const int start = std::clamp(scrollmath::pageForOffset(axisOf(m_dragStartOffset, axis), page), 0, count - 1);
      const int settled = scrollmath::settlePage(offset, axisOf(v, axis), start, count, page);
      setAxis(target, axis, std::min(settled * page, limit));
    } else {
      setAxis(target, axis, std::clamp(scrollmath::coastOffset(offset, axisOf(v, axis)), 0.0, limit));
    }
  }
  return target;
}

void ScrollView::endDrag(const QPointF& global, qint64 timeMs) {
  if (!m_dragging) return;
  if (m_samples.empty() || m_samples.back().pos != global || m_samples.back().time != timeMs) moveDrag(global, timeMs);
  m_dragging = false;
  const QPointF v = velocity();
  const QPointF target = settleTarget(v);
  const bool decelerate = !(near(target.x(), m_offset.x()) && near(target.y(), m_offset.y()));
  QPointer<ScrollView> self(this);
  emit dragReleased(m_offset);
  if (!self) return;
  if (m_delegate) m_delegate->scrollViewDidEndDraggingWillDecelerate(this, decelerate);
  if (!self) return;
  if (!decelerate) {
    applyOffset(target);
    setIndicatorsVisible(false);
    return;
  }
  if (m_delegate) m_delegate->scrollViewWillBeginDecelerating(this);
  if (!self) return;
  const QPointF maxOffset = maximumContentOffset();
  const bool outside = m_offset.x() < 0 || m_offset.y() < 0 || m_offset.x() > maxOffset.x() || m_offset.y() > maxOffset.y();
  const double speed = std::hypot(v.x(), v.y());
  const double seconds = m_paging ? kPageSettleSeconds : (outside ? kSpringBackSeconds : scrollmath::coastDuration(speed));
  animateTo(target, seconds, true);
}

void ScrollView::adoptDrag(const QPointF& globalStart, const QPointF& globalNow, qint64 timeMs) {
  m_pressed = false;
  m_handedTo = nullptr;
  beginDrag(globalStart, timeMs);
  moveDrag(globalNow, timeMs);
}

void ScrollView::continueAdoptedDrag(const QPointF& globalNow, qint64 timeMs) { moveDrag(globalNow, timeMs); }

void ScrollView::endAdoptedDrag(const QPointF& globalNow, qint64 timeMs) { endDrag(globalNow, timeMs); }

void ScrollView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  m_caughtMotion = m_decelerating || m_animating;
  stopMotion();
  m_pressed = true;
  m_dragging = false;
  m_wandered = false;
  m_handedTo = nullptr;
  m_pressGlobal = event->globalPosition();
  m_pressTime = qint64(event->timestamp());
}

void ScrollView::mouseMoveEvent(QMouseEvent* event) {
  if (!m_pressed) return;
  const QPointF global = event->globalPosition();
  const qint64 time = qint64(event->timestamp());
  if (m_handedTo) {
    m_handedTo->continueAdoptedDrag(global, time);
    return;
  }
  if (m_dragging) {
    moveDrag(global, time);
    return;
  }
  const QPointF delta = global - m_pressGlobal;
  if (std::hypot(delta.x(), delta.y()) < kSlop) return;
  m_wandered = true;
  const Qt::Orientation axis = dominantAxis(delta);
  if (!canScroll(axis)) {
    if (ScrollView* outer = enclosingScrollView(this, axis)) {
      m_handedTo = outer;
      outer->adoptDrag(m_pressGlobal, global, time);
      return;
    }
    if (!canScroll(other(axis))) return;
  }
  beginDrag(m_pressGlobal, m_pressTime);
  moveDrag(global, time);
}

void ScrollView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_pressed) return;
  m_pressed = false;
  const QPointF global = event->globalPosition();
  const qint64 time = qint64(event->timestamp());
  if (m_handedTo) {
    QPointer<ScrollView> outer = m_handedTo;
    m_handedTo = nullptr;
    outer->endAdoptedDrag(global, time);
    return;
  }
  if (m_dragging) {
    endDrag(global, time);
    return;
  }
  if (m_caughtMotion) {
    // A settle stopped by the finger resumes towards a resting place.
    m_caughtMotion = false;
    const QPointF target = settleTarget({});
    if (target != m_offset) {
      if (m_delegate) m_delegate->scrollViewWillBeginDecelerating(this);
      animateTo(target, m_paging ? kPageSettleSeconds : kSpringBackSeconds, true);
    }
    return;
  }
  if (!m_wandered) contentTapped(event->position() + m_offset);
}

void ScrollView::wheelEvent(QWheelEvent* event) {
  if (!m_scrollEnabled || m_dragging) {
    event->ignore();
    return;
  }
  QPointF delta = !event->pixelDelta().isNull() ? QPointF(event->pixelDelta())
                                                : QPointF(event->angleDelta()) / 120.0 * 40.0;
  if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0) delta = QPointF(delta.y(), 0);
  const QPointF maxOffset = maximumContentOffset();
  if (m_paging) {
    const Qt::Orientation axis = dominantAxis(delta);
    if (!canScroll(axis) || axisOf(delta, axis) == 0) {
      event->ignore();
      return;
    }
    event->accept();
    if (m_animating) return;  // one page per turn of the wheel
    const double page = axisOf(size(), axis);
    const int current = scrollmath::pageForOffset(axisOf(m_offset, axis), page);
    const double next = std::clamp((current + (axisOf(delta, axis) < 0 ? 1 : -1)) * page, 0.0, axisOf(maxOffset, axis));
    if (near(next, axisOf(m_offset, axis))) return;
    QPointF target = m_offset;
    setAxis(target, axis, next);
    setContentOffset(target, true);
    return;
  }
  QPointF target = m_offset;
  for (Qt::Orientation axis : {Qt::Horizontal, Qt::Vertical}) {
    if (!canScroll(axis)) continue;
    setAxis(target, axis, std::clamp(axisOf(m_offset, axis) - axisOf(delta, axis), 0.0, axisOf(maxOffset, axis)));
  }
  if (target == m_offset) {
    event->ignore();  // at the edge: let an enclosing scroll view have it
    return;
  }
  event->accept();
  stopMotion();
  applyOffset(target);
}

}  // namespace ui
