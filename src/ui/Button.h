#pragma once
// A push button: per state a title, a title colour, a picture and a stretchable background
// picture (a state without its own falls back to the normal state's). It reports the names of the
// pictures it currently shows.
#include "ui/Control.h"
#include "ui/Image.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QMargins>
#include <QString>

namespace ui {

class Button : public Control {
  Q_OBJECT
 public:
  explicit Button(QWidget* parent = nullptr);
  Button(const QRect& frame, QWidget* parent);

  void setTitle(const QString& title, State state = Normal);
  QString title(State state = Normal) const;
  QString currentTitle() const;

  void setTitleColor(const QColor& color, State state = Normal);
  QColor titleColor(State state = Normal) const;
  QColor currentTitleColor() const;
  void setTitleShadowColor(const QColor& color, const QPoint& offset = QPoint(0, -1));

  void setTitleFont(const QFont& font);
  QFont titleFont() const { return m_font; }
  // Titles wrap on up to this many lines (1 by default).
  void setNumberOfTitleLines(int lines);

  // Pictures by name (see Images). The background stretches by the picture's cap insets.
  void setImageName(const QString& name, State state = Normal);
  void setImage(const Image& image, State state = Normal);
  void setBackgroundImageName(const QString& name, State state = Normal);
  void setBackgroundImage(const Image& image, State state = Normal);
  QString imageName(State state = Normal) const;
  QString backgroundImageName(State state = Normal) const;
  QString currentImageName() const;
  QString currentBackgroundImageName() const;

  // Dims the picture while highlighted when there is no highlighted picture (on by default).
  void setAdjustsImageWhenHighlighted(bool on) { m_adjustWhenHighlighted = on; update(); }
  // The title and picture are centred in the button's rectangle less these margins.
  void setContentEdgeInsets(const QMargins& insets);
  QMargins contentEdgeInsets() const { return m_contentInsets; }
  // Overall opacity of what the button draws, 0..1.
  void setContentAlpha(double alpha);

  QSize sizeHint() const override;

  QString accessibleText() const override { return currentTitle(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  template <class T>
  static T pick(const QMap<int, T>& map, State state, const T& fallback);
  Image currentImage() const;
  Image currentBackground() const;

  QMap<int, QString> m_titles;
  QMap<int, QColor> m_titleColors;
  QMap<int, Image> m_images;
  QMap<int, Image> m_backgrounds;
  QColor m_shadowColor;
  QPoint m_shadowOffset;
  QFont m_font;
  int m_titleLines = 1;
  bool m_adjustWhenHighlighted = true;
  double m_contentAlpha = 1.0;
  QMargins m_contentInsets;
};

}  // namespace ui
