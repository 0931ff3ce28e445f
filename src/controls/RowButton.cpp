#include "controls/RowButton.h"

#include "ui/Fonts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace controls {

namespace {
struct Colors {
  QColor fill, pressed, border, title, detail;
};
Colors colorsOf(RowButton::Style style) {
  switch (style) {
    case RowButton::Style::Light: return {QColor(0xf4, 0xf6, 0xf9), QColor(0xdd, 0xe5, 0xef), QColor(0xc9, 0xd1, 0xdc), QColor(0x1c, 0x24, 0x30), QColor(0x5b, 0x67, 0x78)};
    case RowButton::Style::Destructive: return {Qt::white, QColor(0xfb, 0xe4, 0xe4), QColor(0xef, 0xc2, 0xc2), QColor(0xd0, 0x3b, 0x3b), QColor(0xc0, 0x7a, 0x7a)};
  }
  return {};
}
constexpr int kInset = 12;
}  // namespace

RowButton::RowButton(const QRect& frame, Style style, QWidget* parent) : ui::Control(frame, parent), m_style(style) {
  setFocusPolicy(Qt::StrongFocus);
}

void RowButton::setTitle(const QString& title) {
  m_title = title;
  update();
}

void RowButton::setDetail(const QString& detail, bool atRight) {
  m_detail = detail;
  m_detailAtRight = atRight;
  update();
}

void RowButton::setShowsChevron(bool shows) {
  m_chevron = shows;
  update();
}

void RowButton::setAccessoryWidth(int width) {
  m_accessoryWidth = std::max(0, width);
  update();
}

void RowButton::setChecked(bool checked) {
  m_checked = checked;
  update();
}

void RowButton::addAccessibleState(QAccessible::State& state) const {
  ui::Control::addAccessibleState(state);
  if (m_checked) {
    state.checkable = true;
    state.checked = true;
  }
}

void RowButton::paintEvent(QPaintEvent*) {
  const Colors colors = colorsOf(m_style);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  // The keyboard's focus is shown by the window's focus ring, as on every control.
  painter.setPen(QPen(colors.border, 1.0));
  painter.setBrush(isHighlighted() ? colors.pressed : colors.fill);
  painter.drawRoundedRect(card, 8, 8);

  int right = width() - kInset - m_accessoryWidth;
  if (m_chevron || m_checked) {
    // A chevron, or a check mark for the chosen one of a set.
    painter.setPen(QPen(m_checked ? QColor(0x2f, 0x9b, 0xe6) : colors.detail, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double cy = height() / 2.0;
    QPainterPath mark;
    if (m_checked) {
      mark.moveTo(right - 14, cy);
      mark.lineTo(right - 9, cy + 5);
      mark.lineTo(right, cy - 6);
    } else {
      mark.moveTo(right - 6, cy - 6);
      mark.lineTo(right, cy);
      mark.lineTo(right - 6, cy + 6);
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
    right -= 22;
  }
  const bool twoLines = !m_detail.isEmpty() && !m_detailAtRight;
  const QFont titleFont = ui::Fonts::font(QStringLiteral("Valdo-Regular"), 15);
  const QFont detailFont = ui::Fonts::font(QStringLiteral("Valdo-Light"), 12);
  if (m_detailAtRight && !m_detail.isEmpty()) {
    painter.setFont(detailFont);
    painter.setPen(colors.detail);
    const int detailWidth = std::min(painter.fontMetrics().horizontalAdvance(m_detail), width() / 2);
    painter.drawText(QRect(right - detailWidth, 0, detailWidth, height()), Qt::AlignVCenter | Qt::AlignRight,
                     painter.fontMetrics().elidedText(m_detail, Qt::ElideMiddle, detailWidth));
    right -= detailWidth + 8;
  }
  painter.setFont(titleFont);
  painter.setPen(isEnabled() ? colors.title : colors.detail);
  const QRect titleRect(kInset, twoLines ? 4 : 0, right - kInset, twoLines ? height() / 2 : height());
  painter.drawText(titleRect, (twoLines ? Qt::AlignBottom : Qt::AlignVCenter) | Qt::AlignLeft,
                   painter.fontMetrics().elidedText(m_title, Qt::ElideRight, titleRect.width()));
  if (twoLines) {
    painter.setFont(detailFont);
    painter.setPen(colors.detail);
    const QRect detailRect(kInset, height() / 2 + 4, right - kInset, height() / 2 - 6);
    painter.drawText(detailRect, Qt::AlignTop | Qt::AlignLeft, painter.fontMetrics().elidedText(m_detail, Qt::ElideMiddle, detailRect.width()));
  }
}

}  // namespace controls
