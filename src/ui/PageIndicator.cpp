#include "ui/PageIndicator.h"

#include "foundation/Strings.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {
constexpr double kDot = 7.0;
constexpr double kSpacing = 9.0;
}

PageIndicator::PageIndicator(QWidget* parent) : Control(parent) {}

PageIndicator::PageIndicator(const QRect& frame, QWidget* parent) : PageIndicator(parent) { setGeometry(frame); }

QString PageIndicator::accessibleText() const { return foundation::localized("A11Y_PAGES"); }

QString PageIndicator::accessibleValue() const {
  if (m_pages <= 0) return {};
  return foundation::localized("A11Y_PAGE_OF").arg(m_current + 1).arg(m_pages);
}

std::optional<AccessibleElement::Range> PageIndicator::accessibleRange() const {
  return Range{1, double(std::max(1, m_pages)), 1, double(m_current + 1)};
}

void PageIndicator::setAccessibleRangeValue(double value) {
  // One tap per page, so whoever listens hears each page as it would from the finger.
  const int target = std::clamp(int(std::lround(value)) - 1, 0, std::max(0, m_pages - 1));
  for (int guard = 0; m_current != target && guard < m_pages; ++guard) {
    if (!activateAt(QPointF(target > m_current ? width() * 0.75 : width() * 0.25, height() / 2.0))) break;
  }
}

void PageIndicator::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
    activateAt(QPointF(event->key() == Qt::Key_Right ? width() * 0.75 : width() * 0.25, height() / 2.0));
    event->accept();
    return;
  }
  Control::keyPressEvent(event);
}

void PageIndicator::setNumberOfPages(int pages) {
  m_pages = std::max(0, pages);
  m_current = std::clamp(m_current, 0, std::max(0, m_pages - 1));
  update();
}

void PageIndicator::setCurrentPage(int page) {
  m_current = std::clamp(page, 0, std::max(0, m_pages - 1));
  update();
}

void PageIndicator::setHidesForSinglePage(bool on) {
  m_hidesForSinglePage = on;
  update();
}

void PageIndicator::setPageIndicatorColor(const QColor& color) {
  m_dot = color;
  update();
}

void PageIndicator::setCurrentPageIndicatorColor(const QColor& color) {
  m_currentDot = color;
  update();
}

int PageIndicator::widthForNumberOfPages(int pages) {
  return pages <= 0 ? 0 : int(pages * kDot + (pages - 1) * kSpacing);
}

QPointF PageIndicator::dotCentre(int page) const {
  const double start = (width() - widthForNumberOfPages(m_pages)) / 2.0;
  return QPointF(start + page * (kDot + kSpacing) + kDot / 2.0, height() / 2.0);
}

void PageIndicator::touchesEnded(const QPointF& pos) {
  const bool inside = rect().contains(pos.toPoint());
  if (inside && m_pages > 0) {
    const int next = std::clamp(m_current + (pos.x() > width() / 2.0 ? 1 : -1), 0, m_pages - 1);
    if (next != m_current) {
      m_current = next;
      update();
      Control::touchesEnded(pos);
      emit valueChanged(this);
      return;
    }
  }
  Control::touchesEnded(pos);
}

void PageIndicator::paintEvent(QPaintEvent*) {
  if (m_pages == 0 || (m_hidesForSinglePage && m_pages == 1)) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  for (int page = 0; page < m_pages; ++page) {
    painter.setBrush(page == m_current ? m_currentDot : m_dot);
    const QPointF c = dotCentre(page);
    painter.drawEllipse(c, kDot / 2.0, kDot / 2.0);
  }
}

}  // namespace ui
