#include "screens/supervision/CustomMoviePlayerViewController.h"

#include "backend/BEServiceCamera.h"
#include "backend/BESessionManager.h"
#include "backend/SignInGate.h"
#include "screens/supervision/VideoFrameView.h"
#include "screens/supervision/VideoPlayback.h"
#include "ui/Views.h"

#include <QLoggingCategory>
#include <QUrl>

namespace {
Q_LOGGING_CATEGORY(lcPlayer, "screens.supervision.player", QtWarningMsg)
}

CustomMoviePlayerViewController::CustomMoviePlayerViewController(QObject* parent) : ui::Screen(parent) {}

CustomMoviePlayerViewController::~CustomMoviePlayerViewController() {
  // Leaves quietly: whoever destroys the player has stopped it first if it wanted to be told.
  m_stopTimer.invalidate();
  m_player.reset();
}

void CustomMoviePlayerViewController::loadView() {
  // A transparent layer over the host; the picture lies at the frame of the orientation.
  auto* view = new QWidget();
  view->resize(320, 460);
  ui::setUserInteractionEnabled(view, false);
  m_frameView = new VideoFrameView(view);
  m_frameView->setGeometry(kPortraitFrame);
  setView(view);
}

void CustomMoviePlayerViewController::viewDidLoad() {
  connect(m_frameView, &VideoFrameView::frameShown, this, [this] { movieFrameShown(); });
}

VideoFrameView* CustomMoviePlayerViewController::frameView() {
  view();
  return m_frameView;
}

bool CustomMoviePlayerViewController::makePlayer() {
  if (m_player) return true;
  VideoPlayback::Listener listener;
  listener.frame = [this](const QImage& frame) { m_frameView->showFrame(frame); };
  listener.ended = [this] {
    // A player that stops by itself has ended its stream.
    if (m_started) moviePlayBackDidFinish(FinishReason::Ended);
  };
  listener.failed = [this](const QString& why) { moviePlayBackDidFail(why); };
  QString why;
  m_player = VideoPlayback::create(std::move(listener), &why);
  if (!m_player) m_errorString = why;
  return bool(m_player);
}

void CustomMoviePlayerViewController::startMovieBuffering() {
  view();
  // A stream on is replaced without an end of its own: the new one takes its place.
  m_started = false;
  if (m_player) m_player->stop();
  m_playing = false;
  m_frameView->clear();
  m_errorString.clear();

  const QString address = BESessionManager::getInstance().videoURL();
  qCInfo(lcPlayer).noquote() << "playing" << address;
  m_source = QUrl(address);
  ++m_stream;
  m_started = true;
  emit started();
  if (makePlayer()) {
    m_player->play(m_source);
  } else {
    // Ends as a stream that cannot be played does, after this start has been heard.
    QMetaObject::invokeMethod(
        this,
        [this, stream = m_stream, why = m_errorString] {
          if (stream == m_stream) moviePlayBackDidFail(why);
        },
        Qt::QueuedConnection);
  }
  // Replaces the stop of the stream before: each stream gets its full time.
  m_stopTimer.start(kStopAfterSeconds, false, [this](foundation::Timer&) { stopMoviePlayer(); });
}

void CustomMoviePlayerViewController::moviePlayBackDidFail(const QString& why) {
  if (!m_started) return;
  m_errorString = why;
  qCWarning(lcPlayer).noquote() << "the stream cannot be played:" << why;
  moviePlayBackDidFinish(FinishReason::Error);
}

void CustomMoviePlayerViewController::movieFrameShown() {
  if (!m_started || m_playing) return;
  m_playing = true;
  emit firstFrame();
}

void CustomMoviePlayerViewController::stopMoviePlayer() {
  if (m_started) moviePlayBackDidFinish(FinishReason::UserExit);
}

void CustomMoviePlayerViewController::moviePlayBackDidFinish(FinishReason reason) {
  if (!m_started) return;
  m_started = false;
  m_playing = false;
  m_stopTimer.invalidate();
  if (m_player) m_player->stop();
  {
    const backend::SentByTheApp byTheApp;  // the end of a video: nothing for the user to try again
    BEServiceCamera::getInstance().putStopVideoSession();
  }
  emit stopped(reason);
}

void CustomMoviePlayerViewController::willRotateToInterfaceOrientation(ui::Orientation to, double) {
  if (to == ui::Orientation::PortraitUpsideDown) return;
  view();
  m_frameView->setGeometry(ui::isLandscape(to) ? kLandscapeFrame : kPortraitFrame);
}
