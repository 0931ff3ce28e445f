#pragma once
// The still pictures of a row of cameras, one camera at a time every 5 seconds: the image session
// is opened once (for camera "0", which stands for all of them), the first camera's picture is
// asked for at once (or, staggered, after 5 s divided by the number of cameras, in whole seconds),
// then each next one 5 s after the previous answer, cameras in turn. A failed session start or
// picture request ends the cycle; a camera without a picture yet (404) is not a failure, it just
// brings nothing new.
//
// One cycle per owner: start() while one runs does nothing, so answers that arrive again (a list
// read twice) never run two cycles side by side. Destroying the cycle cancels its timer and
// drops the answers still out.
#include "backend/ServiceCalls.h"
#include "foundation/Timer.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace controls {

class CameraImageCycle {
 public:
  static constexpr double kIntervalSeconds = 5.0;
  // `index` is the camera's place in the list given to setCameras().
  using ImageHandler = std::function<void(int index, const QString& serial, const QByteArray& image)>;

  enum class FirstImage { AtOnce, Staggered };

  explicit CameraImageCycle(ImageHandler onImage, FirstImage first = FirstImage::AtOnce);
  CameraImageCycle(const CameraImageCycle&) = delete;
  CameraImageCycle& operator=(const CameraImageCycle&) = delete;

  // The cameras by serial, in page order. A running cycle goes on with the new list.
  void setCameras(const QStringList& serials);
  const QStringList& cameras() const { return m_serials; }

  // Opens the image session and starts the turns; nothing when running or without cameras.
  void start();
  void stop();
  bool isRunning() const { return m_state != State::Idle; }
  // Between two pictures: the timer is set.
  bool isWaiting() const { return m_state == State::Waiting; }
  // The camera asked for last (-1 before the first request).
  int lastIndex() const { return m_last; }

 private:
  enum class State { Idle, OpeningSession, Waiting, Fetching };
  void scheduleNext(double seconds = kIntervalSeconds);
  void fetchNext();

  ImageHandler m_onImage;
  FirstImage m_first;
  QStringList m_serials;
  State m_state = State::Idle;
  int m_last = -1;
  foundation::Timer m_timer;
  backend::ServiceCalls m_calls;
};

}  // namespace controls
