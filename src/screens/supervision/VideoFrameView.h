#pragma once
// Shows a player's decoded frames, painted by this widget itself (aspect fill, black around), so
// that the picture is part of the widget tree: grabbing the window shows the video, which a
// platform video widget does not allow.
#include <QImage>
#include <QWidget>

class VideoFrameView : public QWidget {
  Q_OBJECT
 public:
  explicit VideoFrameView(QWidget* parent = nullptr);
  ~VideoFrameView() override;

  // Puts `frame` on show.
  void showFrame(const QImage& frame);
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
  QImage m_frame;
  int m_frames = 0;
};
