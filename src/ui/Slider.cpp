#include "ui/Slider.h"

#include "ui/Animation.h"
#include "ui/Images.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {
constexpr double kDefaultThumb = 23.0;
constexpr double kDefaultTrack = 9.0;
constexpr double kGrabMargin = 8.0;  // the finger may land this far beside the thumb
}

Slider::Slider(QWidget* parent) : Control(parent) {}

QString Slider::accessibleValue() const {
  const double span = m_maximum - m_minimum;
  return span > 0 ? QStringLiteral("%1 %").arg(std::lround((m_value - m_minimum) / span * 100)) : QString();
}

std::optional<AccessibleElement::Range> Slider::accessibleRange() const {
  return Range{m_minimum, m_maximum, (m_maximum - m_minimum) / 10.0, m_value};
}

void Slider::setAccessibleRangeValue(double value) { changeValueByUser(value); }

void Slider::changeValueByUser(double value) {
  const double before = m_value;
  setValue(value);
  if (m_value != before) {
    notifyAccessibleStateChanged(this);
    sendActionsForControlEvent(ControlEvent::ValueChanged);
  }
}

void Slider::keyPressEvent(QKeyEvent* event) {
  if (!isUserInteractionEnabled() || !isEnabled()) {
    Control::keyPressEvent(event);
    return;
  }
  const double step = (m_maximum - m_minimum) / 10.0;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: changeValueByUser(m_value - step); break;
    case Qt::Key_Right:
    case Qt::Key_Up: changeValueByUser(m_value + step); break;
    case Qt::Key_PageDown: changeValueByUser(m_value - 2.5 * step); break;
    case Qt::Key_PageUp: changeValueByUser(m_value + 2.5 * step); break;
    case Qt::Key_Home: changeValueByUser(m_minimum); break;
    case Qt::Key_End: changeValueByUser(m_maximum); break;
    default: Control::keyPressEvent(event); return;
  }
  event->accept();
}

Slider::Slider(const QRect& frame, QWidget* parent) : Slider(parent) { setGeometry(frame); }

void Slider::setMinimumValue(double v) {
  m_minimum = v;
  if (m_maximum < v) m_maximum = v;
  applyValue(m_value);
}

void Slider::setMaximumValue(double v) {
  m_maximum = v;
  if (m_minimum > v) m_minimum = v;
  applyValue(m_value);
}

void Slider::applyValue(double value) {
  m_value = std::clamp(value, m_minimum, m_maximum);
  update();
}

void Slider::setValue(double value, bool animated) {
  Animation::stop(this, "value");
  const double target = std::clamp(value, m_minimum, m_maximum);
  if (!animated) {
    applyValue(target);
    return;
  }
  const double from = m_value;
  Animation::run(this, "value", 0.2, [this, from, target](double p) { applyValue(from + (target - from) * p); });
}

void Slider::setThumbImage(const Image& image) {
  m_thumb = image;
  update();
}
void Slider::setThumbImageName(const QString& name) { setThumbImage(Images::named(name)); }

void Slider::setMinimumTrackImage(const Image& image) {
  m_minTrack = image;
  update();
}
void Slider::setMinimumTrackImageName(const QString& name, int leftCap) {
  setMinimumTrackImage(Images::named(name).stretchable(leftCap, 0));
}

void Slider::setMaximumTrackImage(const Image& image) {
  m_maxTrack = image;
  update();
}
void Slider::setMaximumTrackImageName(const QString& name, int leftCap) {
  setMaximumTrackImage(Images::named(name).stretchable(leftCap, 0));
}

QSizeF Slider::thumbSize() const {
  return m_thumb.isNull() ? QSizeF(kDefaultThumb, kDefaultThumb) : m_thumb.size();
}

QRectF Slider::trackRect() const {
  double h = kDefaultTrack;
  if (!m_minTrack.isNull()) h = m_minTrack.size().height();
  if (!m_maxTrack.isNull()) h = std::max(h, m_maxTrack.size().height());
  return QRectF(0, (height() - h) / 2.0, width(), h);
}

QRectF Slider::thumbRect() const {
  const QSizeF t = thumbSize();
  const double span = m_maximum - m_minimum;
  const double fraction = span > 0 ? (m_value - m_minimum) / span : 0.0;
  return QRectF((width() - t.width()) * fraction, (height() - t.height()) / 2.0, t.width(), t.height());
}

double Slider::valueForThumbCentre(double x) const {
  const double travel = width() - thumbSize().width();
  if (travel <= 0) return m_minimum;
  const double fraction = std::clamp((x - thumbSize().width() / 2.0) / travel, 0.0, 1.0);
  return m_minimum + fraction * (m_maximum - m_minimum);
}

bool Slider::beginTracking(const QPointF& pos) {
  const QRectF grab = thumbRect().adjusted(-kGrabMargin, -kGrabMargin, kGrabMargin, kGrabMargin);
  if (!grab.contains(pos)) return false;
  Animation::stop(this, "value");
  m_valueAtTouch = m_value;
  m_grabOffset = pos.x() - thumbRect().center().x();
  return true;
}

bool Slider::continueTracking(const QPointF& pos) {
  const double before = m_value;
  applyValue(valueForThumbCentre(pos.x() - m_grabOffset));
  if (m_continuous && m_value != before) emit valueChanged(this);
  return true;
}

void Slider::endTracking(const QPointF& pos) {
  const double before = m_value;
  applyValue(valueForThumbCentre(pos.x() - m_grabOffset));
  if (m_continuous) {
    if (m_value != before) emit valueChanged(this);
  } else if (m_value != m_valueAtTouch) {
    emit valueChanged(this);
  }
}

void Slider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!isEnabled()) painter.setOpacity(0.5);
  const QRectF track = trackRect();
  const QRectF thumb = thumbRect();
  const double split = thumb.center().x();
  const QRectF left(track.left(), track.top(), split - track.left(), track.height());
  const QRectF right(split, track.top(), track.right() - split, track.height());
  // Each part is drawn over the whole track width and clipped, so caps stay at the ends.
  auto drawPart = [&](const Image& image, const QRectF& clip, const QColor& fallback) {
    painter.save();
    painter.setClipRect(clip);
    if (image.isNull()) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(fallback);
      painter.drawRoundedRect(track.adjusted(0, 2, 0, -2), 2.5, 2.5);
    } else {
      image.draw(painter, track);
    }
    painter.restore();
  };
  drawPart(m_minTrack, left, QColor(0x2f, 0x7f, 0xd8));
  drawPart(m_maxTrack, right, QColor(0xb8, 0xbe, 0xc6));
  if (m_thumb.isNull()) {
    painter.setPen(QPen(QColor(0, 0, 0, 60), 0.8));
    painter.setBrush(QColor(0xfa, 0xfa, 0xfa));
    painter.drawEllipse(thumb.adjusted(0.5, 0.5, -0.5, -0.5));
  } else {
    m_thumb.draw(painter, thumb);
  }
}

}  // namespace ui
