#include "screens/supervision/VideoFrameView.h"

#include <QPainter>

VideoFrameView::VideoFrameView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

VideoFrameView::~VideoFrameView() = default;

void VideoFrameView::clear() {
  m_frame = QImage();
  m_frames = 0;
  update();
}

void VideoFrameView::showFrame(const QImage& frame) {
  if (frame.isNull()) return;
  m_frame = frame;
  ++m_frames;
  update();
  emit frameShown(m_frame);
}

void VideoFrameView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (m_frame.isNull()) return;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  // Aspect fill: the picture covers the view, what overflows is cropped.
  QSizeF size = m_frame.size();
  size.scale(QSizeF(this->size()), Qt::KeepAspectRatioByExpanding);
  const QRectF target((width() - size.width()) / 2.0, (height() - size.height()) / 2.0, size.width(), size.height());
  painter.setClipRect(rect());
  painter.drawImage(target, m_frame);
}
