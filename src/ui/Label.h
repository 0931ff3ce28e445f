#pragma once
// A text label placed by frame: clear background, takes no touches (they reach what is below),
// one line unless told otherwise.
#include <QLabel>

namespace ui {

class Label : public QLabel {
  Q_OBJECT
 public:
  explicit Label(QWidget* parent = nullptr);
  Label(const QRect& frame, QWidget* parent);

  void setTextColor(const QColor& color);
  QColor textColor() const;
  // Text alignment inside the frame; vertical centring is always added, as labels do.
  void setTextAlignment(Qt::Alignment horizontal);
  // 1 = single line (default); 0 = as many as fit; n = wrap on up to n lines.
  void setNumberOfLines(int lines);
  int numberOfLines() const { return m_lines; }
  // Optional shadow under the text, offset in points.
  void setShadow(const QColor& color, const QPoint& offset);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_lines = 1;
  QColor m_shadowColor;
  QPoint m_shadowOffset;
};

}  // namespace ui
