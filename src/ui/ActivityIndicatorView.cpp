#include "ui/ActivityIndicatorView.h"

#include "ui/Views.h"

#include "foundation/Strings.h"

#include <QPainter>
#include <QPointer>

#include <cmath>

namespace ui {

ActivityIndicatorView::ActivityIndicatorView(Style style, QWidget* parent)
    : QWidget(parent), m_style(style), m_color(style == Style::Gray ? QColor(0x6b, 0x70, 0x78) : QColor(Qt::white)) {
  installAccessibility();
  setUserInteractionEnabled(this, false);
  resize(sizeHint());
  setVisible(false);
}

QSize ActivityIndicatorView::sizeHint() const { return m_style == Style::WhiteLarge ? QSize(37, 37) : QSize(20, 20); }

QString ActivityIndicatorView::accessibleText() const { return foundation::localized("A11Y_BUSY"); }

void ActivityIndicatorView::startAnimating() {
  if (m_animating) return;
  m_animating = true;
  show();
  notifyAccessibleStateChanged(this);
  QPointer<ActivityIndicatorView> self(this);
  m_timer = foundation::Timer::scheduled(1.0 / 12.0, true, [self](foundation::Timer&) {
    if (!self) return;
    self->m_phase = (self->m_phase + 1) % 12;
    self->update();
  });
}

void ActivityIndicatorView::stopAnimating() {
  m_animating = false;
  m_timer.invalidate();
  notifyAccessibleStateChanged(this);
  if (m_hidesWhenStopped) hide();
}

void ActivityIndicatorView::setHidesWhenStopped(bool on) {
  m_hidesWhenStopped = on;
  if (!m_animating) setVisible(!on);
}

void ActivityIndicatorView::setColor(const QColor& color) {
  m_color = color;
  update();
}

void ActivityIndicatorView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const double side = std::min(width(), height());
  const double outer = side / 2.0;
  const double inner = outer * 0.48;
  const double thickness = std::max(1.6, side * 0.09);
  painter.translate(width() / 2.0, height() / 2.0);
  for (int i = 0; i < 12; ++i) {
    // The lit spoke trails off over the spokes behind it.
    const int age = (m_phase - i + 12) % 12;
    QColor c = m_color;
    c.setAlphaF(float(m_animating ? std::max(0.22, 1.0 - age * 0.075) : 0.35));
    painter.setPen(QPen(c, thickness, Qt::SolidLine, Qt::RoundCap));
    const double angle = i * M_PI / 6.0 - M_PI / 2.0;
    painter.drawLine(QPointF(std::cos(angle) * inner, std::sin(angle) * inner),
                     QPointF(std::cos(angle) * (outer - thickness / 2.0), std::sin(angle) * (outer - thickness / 2.0)));
  }
}

}  // namespace ui
