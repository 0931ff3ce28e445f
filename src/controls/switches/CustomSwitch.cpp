#include "controls/switches/CustomSwitch.h"

#include "foundation/Strings.h"
#include "ui/Animation.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/Theme.h"
#include "ui/Views.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kThumb = 31.0;       // the thumb picture is square
constexpr double kGrabMargin = 6.0;   // the finger may land this far beside the thumb
constexpr int kLabelHeight = 23;
const QPoint kClipOrigin(4, 4);

QString onTrackName(const QString& colorId) {
  return QStringLiteral("switch_on_%1.png").arg(ui::normalizedColorId(colorId));
}

}  // namespace

CustomSwitch::CustomSwitch(QPoint origin, bool selected, const QString& colorId, QWidget* parent)
    : ui::Slider(parent), m_origin(origin) {
  setUp(colorId);
  setOnAnimated(selected, true);
}

CustomSwitch::CustomSwitch(QPoint origin, QWidget* parent) : CustomSwitch(origin, false, QString(), parent) {}

CustomSwitch::~CustomSwitch() = default;

CustomSwitch* CustomSwitch::switchWithLeftTextAndRight(const QString& left, const QString& right, QWidget* parent) {
  auto* control = new CustomSwitch(QPoint(0, 0), parent);
  control->leftLabel()->setText(left);
  control->rightLabel()->setText(right);
  return control;
}

void CustomSwitch::setUp(const QString& colorId) {
  m_colorId = colorId;
  ui::setThemeColorId(this, ui::normalizedColorId(colorId));
  setGeometry(QRect(m_origin, QSize(kWidth, kHeight)));
  setMinimumValue(0.0);
  setMaximumValue(1.0);
  setContinuous(false);
  setThumbImageName(QStringLiteral("switch_btn.png"));
  setMaximumTrackImageName(QStringLiteral("switch_off.png"));
  setMinimumTrackImageName(onTrackName(colorId));
  m_thumbImage = ui::Images::named(QStringLiteral("switch_btn.png"));
  m_offTrack = ui::Images::named(QStringLiteral("switch_off.png"));
  m_onTrack = ui::Images::named(onTrackName(colorId));
  m_on = false;

  m_clippingView = new QWidget(this);
  ui::setUserInteractionEnabled(m_clippingView, false);
  m_leftLabel = new ui::Label(m_clippingView);
  m_rightLabel = new ui::Label(m_clippingView);
  for (ui::Label* label : {m_leftLabel, m_rightLabel}) {
    // 15 points: a three-letter word at 17 runs into the rounded end of the track.
    label->setFont(ui::Fonts::boldSystemFont(15));
    label->setTextColor(Qt::white);
    label->setTextAlignment(Qt::AlignHCenter);
  }
  m_rightLabel->setTextColor(QColor(0x6d, 0x72, 0x78));
  layoutLabels();
}

QString CustomSwitch::accessibleValue() const { return foundation::localized(m_on ? "A11Y_ON" : "A11Y_OFF"); }

void CustomSwitch::addAccessibleState(QAccessible::State& state) const {
  ui::Slider::addAccessibleState(state);
  state.checkable = true;
  state.checked = m_on;
}

QString CustomSwitch::themeColorId() const { return ui::normalizedColorId(m_colorId); }

void CustomSwitch::setOnAnimated(bool on, bool animated) {
  m_on = on;
  moveThumbToState(animated);
}

void CustomSwitch::moveThumbToState(bool animated) {
  notifyAccessibleStateChanged(this);
  const double target = m_on ? 1.0 : 0.0;
  ui::Animation::stop(this, "switchValue");
  if (!animated || value() == target) {
    applySwitchValue(target);
    return;
  }
  const double from = value();
  ui::Animation::run(this, "switchValue", 0.2, [this, from, target](double p) { applySwitchValue(from + (target - from) * p); });
}

void CustomSwitch::applySwitchValue(double v) {
  setValue(v, false);
  layoutLabels();
}

void CustomSwitch::setTintColor(const QColor& color) {
  if (color == m_tintColor) return;
  m_tintColor = color;
  if (color.isValid()) {
    m_onTrack = ui::Images::named(QStringLiteral("switchBlueBg.png")).tinted(color);
    setMinimumTrackImage(m_onTrack);
  } else {
    setMinimumTrackImageName(onTrackName(m_colorId));
    m_onTrack = ui::Images::named(onTrackName(m_colorId));
  }
  update();
}

void CustomSwitch::scaleSwitch(double sx, double sy) {
  if (!(sx > 0) || !(sy > 0)) return;  // a flat or mirrored switch could not be touched
  const QPointF centre = QRectF(geometry()).center();
  m_scaleX = sx;
  m_scaleY = sy;
  const QSizeF size(kWidth * sx, kHeight * sy);
  setGeometry(QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height()).toRect());
}

// -- Touches ----------------------------------------------------------------------------------

void CustomSwitch::touchesBegan(const QPointF& pos) {
  // The state turns over as the finger lands; the thumb follows when the touch completes.
  m_onBeforeTouch = m_on;
  m_on = !m_on;
  ui::Slider::touchesBegan(pos);
}

void CustomSwitch::touchesEnded(const QPointF& pos) {
  ui::Slider::touchesEnded(pos);
  // Every completed touch, tap or drag, moved or not, ends the same way: the thumb goes to the
  // end that matches the new state and the handlers hear of it once.
  setOnAnimated(m_on, true);
  emit valueChanged(this);
}

void CustomSwitch::touchesCancelled() {
  // A scroll view took the touch: nothing was chosen, so nothing changes.
  m_on = m_onBeforeTouch;
  ui::Slider::touchesCancelled();
  moveThumbToState(true);
}

bool CustomSwitch::beginTracking(const QPointF& pos) {
  const QRectF thumb = logicalThumbRect();
  const QRectF scaled(thumb.x() * m_scaleX, thumb.y() * m_scaleY, thumb.width() * m_scaleX, thumb.height() * m_scaleY);
  const QRectF grab = scaled.adjusted(-kGrabMargin, -kGrabMargin, kGrabMargin, kGrabMargin);
  if (!grab.contains(pos)) return false;
  ui::Animation::stop(this, "switchValue");
  m_grabOffset = pos.x() / m_scaleX - logicalThumbRect().center().x();
  return true;
}

bool CustomSwitch::continueTracking(const QPointF& pos) {
  // The thumb follows the finger; the value is settled when the touch ends.
  const double travel = kWidth - kThumb;
  const double centre = pos.x() / m_scaleX - m_grabOffset;
  applySwitchValue(std::clamp((centre - kThumb / 2) / travel, 0.0, 1.0));
  return true;
}

void CustomSwitch::endTracking(const QPointF&) {}

// -- Drawing ----------------------------------------------------------------------------------

QRectF CustomSwitch::logicalThumbRect() const {
  return QRectF((kWidth - kThumb) * value(), (kHeight - kThumb) / 2.0, kThumb, kThumb);
}

void CustomSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(m_scaleX, m_scaleY);
  if (!isEnabled()) painter.setOpacity(0.5);
  const QRectF track(0, 0, kWidth, kHeight);
  // The off track lies beneath; the on side's colour rises with the thumb's travel, so each end
  // shows one clean track and the slide between them blends.
  const double base = painter.opacity();
  if (value() < 1.0) m_offTrack.draw(painter, track);
  painter.setOpacity(base * value());
  if (value() > 0.0) m_onTrack.draw(painter, track);
  painter.setOpacity(base);
  m_thumbImage.draw(painter, logicalThumbRect());
}

void CustomSwitch::resizeEvent(QResizeEvent* event) {
  ui::Slider::resizeEvent(event);
  layoutLabels();
}

void CustomSwitch::layoutLabels() {
  if (!m_clippingView) return;
  // The labels ride with the thumb: the left one shows on the on side, the right one on the off
  // side, both clipped to the track.
  const double w = kWidth;
  const double span = w - kThumb;
  const double v = value();
  const int x0 = kClipOrigin.x();
  m_clippingView->setGeometry(QRect(int(x0 * m_scaleX), int(kClipOrigin.y() * m_scaleY), int((w - x0) * m_scaleX),
                                    int(kLabelHeight * m_scaleY)));
  const int left = int(std::trunc(span * v - span - x0));
  const int right = int(std::trunc(w + span * v - span - x0));
  m_leftLabel->setGeometry(QRect(int(left * m_scaleX), 0, int(span * m_scaleX), int(kLabelHeight * m_scaleY)));
  m_rightLabel->setGeometry(QRect(int(right * m_scaleX), 0, int(span * m_scaleX), int(kLabelHeight * m_scaleY)));
}
