#include "ui/ImageView.h"

#include "ui/Images.h"
#include "ui/Views.h"

#include <QPainter>

#include <cmath>

namespace ui {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
  installAccessibility();
  setUserInteractionEnabled(this, false);
}

ImageView::ImageView(const QString& imageName, QWidget* parent) : ImageView(parent) {
  setImageName(imageName);
  sizeToFit();
}

ImageView::ImageView(const QRect& frame, QWidget* parent) : ImageView(parent) { setGeometry(frame); }

void ImageView::setImageName(const QString& name) { setImage(name.isEmpty() ? Image() : Images::named(name)); }

void ImageView::setImage(const Image& image) {
  m_image = image;
  updateOpacity();
  update();
}

void ImageView::setContentMode(ContentMode mode) {
  m_mode = mode;
  updateOpacity();
  update();
}

// An opaque picture that covers the whole view: Qt then paints nothing under it when it changes.
void ImageView::updateOpacity() {
  const bool covers = m_mode == ContentMode::ScaleToFill || m_mode == ContentMode::AspectFill;
  setAttribute(Qt::WA_OpaquePaintEvent, covers && m_image.isOpaque());
}

void ImageView::sizeToFit() {
  if (!m_image.isNull()) resize(sizeHint());
}

QSize ImageView::sizeHint() const {
  const QSizeF s = m_image.size();
  return QSize(static_cast<int>(std::ceil(s.width())), static_cast<int>(std::ceil(s.height())));
}

void ImageView::paintEvent(QPaintEvent*) {
  if (m_image.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF bounds = rect();
  const QSizeF natural = m_image.size();
  QRectF target = bounds;
  switch (m_mode) {
    case ContentMode::ScaleToFill:
      break;
    case ContentMode::AspectFit:
    case ContentMode::AspectFill: {
      const QSizeF scaled = natural.scaled(bounds.size(), m_mode == ContentMode::AspectFit ? Qt::KeepAspectRatio
                                                                                          : Qt::KeepAspectRatioByExpanding);
      target = QRectF(QPointF(0, 0), scaled);
      target.moveCenter(bounds.center());
      break;
    }
    case ContentMode::Center:
      target = QRectF(QPointF(0, 0), natural);
      target.moveCenter(bounds.center());
      break;
  }
  // An opaque view paints all of itself: a picture damaged past its header leaves it black.
  if (!m_image.draw(painter, target) && testAttribute(Qt::WA_OpaquePaintEvent)) painter.fillRect(rect(), Qt::black);
}

}  // namespace ui
