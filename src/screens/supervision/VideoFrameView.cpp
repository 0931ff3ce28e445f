#include "screens/supervision/VideoFrameView.h"

#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

VideoFrameView::VideoFrameView(QWidget* parent) : QWidget(parent), m_sink(new QVideoSink(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(m_sink, &QVideoSink::videoFrameChanged, this, &VideoFrameView::onFrame);
}

VideoFrameView::~VideoFrameView() = default;

void VideoFrameView::clear() {
  m_frame = QImage();
  m_frames = 0;
  update();
}

void VideoFrameView::onFrame(const QVideoFrame& frame) {
  if (!frame.isValid()) return;
  QImage image = frame.toImage();
  if (image.isNull()) return;
  m_frame = std::move(image);
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
