#include "controls/camera/CameraImageCycle.h"

#include "backend/BEServiceCamera.h"
#include "backend/BESessionManager.h"
#include "backend/SignInGate.h"

#include <algorithm>

namespace controls {

namespace {
// The pictures come by themselves: a fault that lasts raises its alert once, not at every turn,
// and a session refused while the service is away raises none.
template <class Send>
backend::ReplyPtr background(Send send) {
  const backend::SentByTheApp byTheApp;
  backend::ReplyPtr reply = send();
  reply->setBackground();
  return reply;
}
}  // namespace

CameraImageCycle::CameraImageCycle(ImageHandler onImage, FirstImage first) : m_onImage(std::move(onImage)), m_first(first) {}

void CameraImageCycle::setCameras(const QStringList& serials) {
  m_serials = serials;
  if (m_last >= m_serials.size()) m_last = int(m_serials.size()) - 1;
  if (m_serials.isEmpty()) stop();
}

void CameraImageCycle::start() {
  if (m_state != State::Idle || m_serials.isEmpty()) return;
  m_state = State::OpeningSession;
  // The first turn asks for camera 0, as soon as the session is open: a screen that opens shows
  // a picture at once rather than 5 s later.
  m_last = int(m_serials.size()) - 1;
  m_calls.call(background([] { return BEServiceCamera::getInstance().putStartImageSessionWithId(QStringLiteral("0")); }),
               [this] {
                 if (m_first == FirstImage::AtOnce) return fetchNext();
                 // 1 camera: 5 s, 2: 2 s, 3 to 5: 1 s, 6 and more: at once. Each camera is still
                 // asked at most once in 5 s: every later picture waits 5 s.
                 scheduleNext(double(int(kIntervalSeconds) / std::max<int>(1, int(m_serials.size()))));
               },
               [this] { m_state = State::Idle; });
}

void CameraImageCycle::stop() {
  m_state = State::Idle;
  m_timer.invalidate();
  m_calls.cancelAll();
}

void CameraImageCycle::scheduleNext(double seconds) {
  m_state = State::Waiting;
  m_timer.start(seconds, false, [this](foundation::Timer&) { fetchNext(); });
}

void CameraImageCycle::fetchNext() {
  if (m_serials.isEmpty()) {
    m_state = State::Idle;
    return;
  }
  const int index = m_last + 1 >= m_serials.size() ? 0 : m_last + 1;
  m_last = index;
  const QString serial = m_serials.at(index);
  m_state = State::Fetching;
  // A camera without a picture yet answers 404, which leaves the stored image alone: cleared
  // first, so that the previous camera's picture never lands on this camera's page.
  BESessionManager::getInstance().setImageData(std::nullopt);
  m_calls.call(background([&] { return BEServiceCamera::getInstance().getImageWithId(serial); }),
               [this, index, serial] {
                 const auto& data = BESessionManager::getInstance().imageData();
                 scheduleNext();
                 if (data && !data->isEmpty() && m_onImage) m_onImage(index, serial, *data);
               },
               [this] { m_state = State::Idle; });
}

}  // namespace controls
