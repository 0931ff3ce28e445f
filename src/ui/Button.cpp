#include "ui/Button.h"

#include "ui/Fonts.h"
#include "ui/Images.h"

#include <QPainter>

#include <cmath>

namespace ui {

Button::Button(QWidget* parent) : Control(parent), m_font(Fonts::boldSystemFont(15)) {
  m_titleColors.insert(Normal, Qt::white);
}

Button::Button(const QRect& frame, QWidget* parent) : Button(parent) { setGeometry(frame); }

template <class T>
T Button::pick(const QMap<int, T>& map, State state, const T& fallback) {
  const int s = int(state);
  if (auto it = map.constFind(s); it != map.constEnd()) return *it;
  // Selected and highlighted at once: the selected look wins over the plain one.
  if ((s & Selected) && (s & Highlighted)) {
    if (auto it = map.constFind(int(Selected)); it != map.constEnd()) return *it;
    if (auto it = map.constFind(int(Highlighted)); it != map.constEnd()) return *it;
  }
  if (auto it = map.constFind(int(Normal)); it != map.constEnd()) return *it;
  return fallback;
}

void Button::setTitle(const QString& title, State state) {
  m_titles.insert(int(state), title);
  updateGeometry();
  update();
}

QString Button::title(State state) const { return m_titles.value(int(state)); }
QString Button::currentTitle() const { return pick(m_titles, state(), QString()); }

void Button::setTitleColor(const QColor& color, State state) {
  m_titleColors.insert(int(state), color);
  update();
}

QColor Button::titleColor(State state) const { return m_titleColors.value(int(state)); }
QColor Button::currentTitleColor() const { return pick(m_titleColors, state(), QColor(Qt::white)); }

void Button::setTitleShadowColor(const QColor& color, const QPoint& offset) {
  m_shadowColor = color;
  m_shadowOffset = offset;
  update();
}

void Button::setTitleFont(const QFont& font) {
  m_font = font;
  updateGeometry();
  update();
}

void Button::setNumberOfTitleLines(int lines) {
  m_titleLines = std::max(0, lines);
  update();
}

void Button::setImageName(const QString& name, State state) {
  setImage(name.isEmpty() ? Image() : Images::named(name), state);
}

void Button::setImage(const Image& image, State state) {
  if (image.isNull() && image.name().isEmpty()) {
    m_images.remove(int(state));
  } else {
    m_images.insert(int(state), image);
  }
  updateGeometry();
  update();
}

void Button::setBackgroundImageName(const QString& name, State state) {
  setBackgroundImage(name.isEmpty() ? Image() : Images::named(name), state);
}

void Button::setBackgroundImage(const Image& image, State state) {
  if (image.isNull() && image.name().isEmpty()) {
    m_backgrounds.remove(int(state));
  } else {
    m_backgrounds.insert(int(state), image);
  }
  update();
}

QString Button::imageName(State state) const { return m_images.value(int(state)).name(); }
QString Button::backgroundImageName(State state) const { return m_backgrounds.value(int(state)).name(); }
Image Button::currentImage() const { return pick(m_images, state(), Image()); }
Image Button::currentBackground() const { return pick(m_backgrounds, state(), Image()); }
QString Button::currentImageName() const { return currentImage().name(); }
QString Button::currentBackgroundImageName() const { return currentBackground().name(); }

void Button::setContentAlpha(double alpha) {
  m_contentAlpha = std::clamp(alpha, 0.0, 1.0);
  update();
}

QSize Button::sizeHint() const {
  const Image image = m_images.value(int(Normal));
  const QFontMetrics metrics(m_font);
  const QString text = m_titles.value(int(Normal));
  const int textWidth = text.isEmpty() ? 0 : metrics.horizontalAdvance(text) + 20;
  const QSizeF imageSize = image.size();
  return QSize(int(std::ceil(imageSize.width())) + textWidth,
               std::max(int(std::ceil(imageSize.height())), text.isEmpty() ? 0 : metrics.height() + 12));
}

void Button::setContentEdgeInsets(const QMargins& insets) {
  m_contentInsets = insets;
  update();
}

void Button::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setOpacity(m_contentAlpha * (isEnabled() ? 1.0 : 0.45));
  const State s = state();
  const bool dimHighlight = (s & Highlighted) && m_adjustWhenHighlighted;

  const Image background = currentBackground();
  if (!background.isNull()) {
    const bool own = m_backgrounds.contains(int(s));
    painter.save();
    if (dimHighlight && !own) painter.setOpacity(painter.opacity() * 0.6);
    background.draw(painter, rect());
    painter.restore();
  }

  const Image image = currentImage();
  const QString text = currentTitle();
  QSizeF imageSize = image.isNull() ? QSizeF() : image.size();
  if (imageSize.width() > width() || imageSize.height() > height()) imageSize.scale(size(), Qt::KeepAspectRatio);
  const QFontMetrics metrics(m_font);
  const int textWidth = text.isEmpty() ? 0 : std::min(metrics.horizontalAdvance(text), width() - int(imageSize.width()) - 8);
  const double gap = (!image.isNull() && !text.isEmpty()) ? 4.0 : 0.0;
  const double groupWidth = imageSize.width() + gap + (text.isEmpty() ? 0 : (m_titleLines == 1 ? textWidth : width() - imageSize.width() - gap - 8));
  const QRectF content = QRectF(rect()).marginsRemoved(QMarginsF(m_contentInsets));
  double x = content.left() + (content.width() - groupWidth) / 2.0;

  if (!image.isNull()) {
    const QRectF target(x, content.top() + (content.height() - imageSize.height()) / 2.0, imageSize.width(), imageSize.height());
    const bool own = m_images.contains(int(s));
    painter.save();
    if (dimHighlight && !own) painter.setOpacity(painter.opacity() * 0.55);
    image.draw(painter, target);
    painter.restore();
    x += imageSize.width() + gap;
  }

  if (!text.isEmpty()) {
    painter.setFont(m_font);
    const QRectF area = m_titleLines == 1 ? QRectF(x, content.top(), textWidth, content.height())
                                           : QRectF(x, content.top(), width() - x - 4, content.height());
    const int flags = Qt::AlignCenter | (m_titleLines == 1 ? Qt::TextSingleLine : Qt::TextWordWrap);
    const QString shown = m_titleLines == 1 ? metrics.elidedText(text, Qt::ElideRight, int(area.width()) + 1) : text;
    if (m_shadowColor.isValid()) {
      painter.setPen(m_shadowColor);
      painter.drawText(area.translated(m_shadowOffset), flags, shown);
    }
    QColor color = currentTitleColor();
    if (dimHighlight && !m_titleColors.contains(int(s)) && background.isNull() && image.isNull()) color.setAlphaF(0.5f);
    painter.setPen(color);
    painter.drawText(area, flags, shown);
  }
}

}  // namespace ui
