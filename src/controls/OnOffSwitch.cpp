#include "controls/OnOffSwitch.h"

#include "foundation/Strings.h"
#include "ui/Animation.h"
#include "ui/Theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace controls {
namespace {
constexpr double kSlideSeconds = 0.2;
const QByteArray kKnobKey = "knob";
}  // namespace

OnOffSwitch::OnOffSwitch(const QPoint& origin, QWidget* parent)
    : ui::Control(QRect(origin, QSize(kWidth, kHeight)), parent), m_onTint(ui::themeColor(QStringLiteral("blue"))) {
  setFocusPolicy(Qt::TabFocus);
  connect(this, &ui::Control::touchUpInside, this, [this] { toggleByUser(); });
}

void OnOffSwitch::setOn(bool on, bool animated) {
  if (on == m_on && !ui::Animation::isRunning(this, kKnobKey)) return;
  m_on = on;
  notifyAccessibleStateChanged(this);
  const double from = m_position;
  const double to = on ? 1.0 : 0.0;
  ui::Animation::run(
      this, kKnobKey, animated ? kSlideSeconds : 0.0,
      [this, from, to](double p) {
        m_position = from + (to - from) * p;
        update();
      },
      {}, ui::Curve::EaseOut);
}

void OnOffSwitch::setOnTintColor(const QColor& color) {
  m_onTint = color;
  update();
}

void OnOffSwitch::toggleByUser() {
  if (!isEnabled()) return;
  setOn(!m_on, true);
  sendActionsForControlEvent(ui::ControlEvent::ValueChanged);
}

QString OnOffSwitch::accessibleValue() const { return foundation::localized(m_on ? "A11Y_ON" : "A11Y_OFF"); }

void OnOffSwitch::addAccessibleState(QAccessible::State& state) const {
  ui::Control::addAccessibleState(state);
  state.checkable = true;
  state.checked = m_on;
}

void OnOffSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const double radius = track.height() / 2;

  // Track: grey when off, the tint when on, blended while the knob slides.
  const QColor off(0xe4, 0xe8, 0xee);
  auto mix = [&](int a, int b) { return int(a + (b - a) * m_position); };
  const QColor fill(mix(off.red(), m_onTint.red()), mix(off.green(), m_onTint.green()), mix(off.blue(), m_onTint.blue()));
  painter.setPen(QPen(m_position > 0.5 ? m_onTint.darker(115) : QColor(0xc9, 0xd1, 0xdc), 1));
  painter.setBrush(isEnabled() ? fill : fill.lighter(110));
  painter.drawRoundedRect(track, radius, radius);

  // Knob with a soft shadow.
  const double d = track.height() - 4;
  const double x = track.left() + 2 + (track.width() - 4 - d) * m_position;
  const QRectF knob(x, track.top() + 2, d, d);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 40));
  painter.drawEllipse(knob.translated(0, 1.5));
  painter.setBrush(Qt::white);
  painter.setPen(QPen(QColor(0, 0, 0, 30), 0.8));
  painter.drawEllipse(knob);
  if (hasFocus()) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x16, 0x71, 0xad, 110), 2));
    painter.drawRoundedRect(track.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
  }
}

}  // namespace controls
