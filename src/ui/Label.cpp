#include "ui/Label.h"

#include "ui/Fonts.h"
#include "ui/Views.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace ui {

Label::Label(QWidget* parent) : QLabel(parent) {
  setUserInteractionEnabled(this, false);
  setFont(Fonts::systemFont(17));
  setTextColor(Qt::black);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setTextFormat(Qt::PlainText);
}

Label::Label(const QRect& frame, QWidget* parent) : Label(parent) { setGeometry(frame); }

void Label::setTextColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::Text, color);
  setPalette(p);
}

QColor Label::textColor() const { return palette().color(QPalette::WindowText); }

void Label::setTextAlignment(Qt::Alignment horizontal) {
  setAlignment((horizontal & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void Label::setNumberOfLines(int lines) {
  m_lines = lines < 0 ? 0 : lines;
  setWordWrap(m_lines != 1);
  update();
}

void Label::setShadow(const QColor& color, const QPoint& offset) {
  m_shadowColor = color;
  m_shadowOffset = offset;
  update();
}

void Label::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const QRect area = contentsRect();
  const QFontMetricsF metrics(font());
  const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;

  // Lay the text out on at most m_lines lines (0: as many as the frame holds), eliding the last.
  // A line break in the text starts a new line (a single-line label shows it as a space).
  const int maxLines = m_lines > 0 ? m_lines : std::max(1, int(area.height() / metrics.lineSpacing()));
  QStringList lines;
  const QString content = text();
  const QStringList paragraphs = m_lines == 1 ? QStringList{content} : content.split(QLatin1Char('\n'));
  QTextOption option;
  option.setWrapMode(m_lines == 1 ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
  bool full = false;
  for (qsizetype p = 0; p < paragraphs.size() && !full; ++p) {
    const QString& paragraph = paragraphs[p];
    // Whatever does not fit any more, as one elided line.
    auto elideFrom = [&](qsizetype start) {
      const QString rest = (QStringList{paragraph.mid(start)} + paragraphs.mid(p + 1)).join(QLatin1Char(' ')).simplified();
      lines << metrics.elidedText(rest, Qt::ElideRight, area.width());
      full = true;
    };
    if (paragraph.isEmpty()) {
      if (lines.size() + 1 == maxLines) elideFrom(0);
      else lines << QString();
      continue;
    }
    QTextLayout layout(paragraph, font());
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
      QTextLine line = layout.createLine();
      if (!line.isValid()) break;
      line.setLineWidth(area.width());
      if (lines.size() + 1 == maxLines) {
        elideFrom(line.textStart());
        break;
      }
      lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
  }

  const double blockHeight = lines.size() * metrics.lineSpacing();
  double y = area.top() + (area.height() - blockHeight) / 2.0;
  for (const QString& line : lines) {
    const QRectF lineRect(area.left(), y, area.width(), metrics.lineSpacing());
    if (m_shadowColor.isValid()) {
      painter.setPen(m_shadowColor);
      painter.drawText(lineRect.translated(m_shadowOffset), int(horizontal | Qt::AlignVCenter), line);
    }
    painter.setPen(textColor());
    painter.drawText(lineRect, int(horizontal | Qt::AlignVCenter), line);
    y += metrics.lineSpacing();
  }
}

}  // namespace ui
