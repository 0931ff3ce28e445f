#pragma once
// Shows the frames a QVideoSink receives, painted by this widget itself (aspect fill, black
// around), so that the picture is part of the widget tree: grabbing the window shows the video,
// which a platform video widget does not allow.
#include <QImage>
#include <QWidget>

class QVideoFrame;
class QVideoSink;

class VideoFrameView : public QWidget {
  Q_OBJECT
 public:
  explicit VideoFrameView(QWidget* parent = nullptr);
  ~VideoFrameView() override;

  QVideoSink* videoSink() const { return m_sink; }
  // The last frame shown (null before the first one) and how many arrived since clear().
  const QImage& lastFrame() const { return m_frame; }
  int frameCount() const { return m_frames; }
  void clear();

 signals:
  // Each decoded frame, once it is the one on show.
  void frameShown(const QImage& frame);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void onFrame(const QVideoFrame& frame);

  QVideoSink* m_sink = nullptr;
  QImage m_frame;
  int m_frames = 0;
};
