#pragma once
// A row of dots, one per page, the current one lit. A tap right of the middle moves to the next
// page, left of it to the previous one, and reports value-changed when the page changed.
#include "ui/Control.h"

#include <QColor>

namespace ui {

class PageIndicator : public Control {
  Q_OBJECT
 public:
  explicit PageIndicator(QWidget* parent = nullptr);
  PageIndicator(const QRect& frame, QWidget* parent);

  void setNumberOfPages(int pages);
  int numberOfPages() const { return m_pages; }
  // Clamped to the pages; never emits value-changed.
  void setCurrentPage(int page);
  int currentPage() const { return m_current; }
  void setHidesForSinglePage(bool on);
  bool hidesForSinglePage() const { return m_hidesForSinglePage; }

  void setPageIndicatorColor(const QColor& color);
  void setCurrentPageIndicatorColor(const QColor& color);

  // Width of the dots of `pages` pages.
  static int widthForNumberOfPages(int pages);
  // Centre of the dot of `page`, in the indicator's coordinates.
  QPointF dotCentre(int page) const;

  // Assistive technology reads "page 2 of 3"; Left and Right (or setting the value) act as a tap
  // on that side of the dots.
  QAccessible::Role accessibleRole() const override { return QAccessible::Slider; }
  QString accessibleText() const override;
  QString accessibleValue() const override;
  std::optional<Range> accessibleRange() const override;
  void setAccessibleRangeValue(double value) override;

 protected:
  void touchesEnded(const QPointF& pos) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int m_pages = 0;
  int m_current = 0;
  bool m_hidesForSinglePage = false;
  QColor m_dot = QColor(255, 255, 255, 90);
  QColor m_currentDot = QColor(255, 255, 255);
};

}  // namespace ui
