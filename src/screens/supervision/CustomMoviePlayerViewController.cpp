#include "screens/supervision/CustomMoviePlayerViewController.h"

#include "backend/BEServiceCamera.h"
#include "backend/BESessionManager.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "screens/supervision/SupervisionNotifications.h"
#include "screens/supervision/VideoFrameView.h"
#include "ui/Views.h"

#include <QLoggingCategory>
#include <QUrl>

namespace {
Q_LOGGING_CATEGORY(lcPlayer, "screens.supervision.player", QtWarningMsg)
}

CustomMoviePlayerViewController::CustomMoviePlayerViewController(QObject* parent) : ui::Screen(parent) {}

CustomMoviePlayerViewController::~CustomMoviePlayerViewController() {
  m_observations.clear();
  // Leaves quietly: whoever destroys the player has stopped it first if it wanted to be told.
  m_stopTimer.invalidate();
  if (m_player) {
    m_player->disconnect(this);
    m_player->stop();
  }
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
  m_observations.add(kVideoMenuSendStop, [this](const foundation::Notification&) { stopMoviePlayer(); });
  connect(m_frameView, &VideoFrameView::frameShown, this, [this] { movieFrameShown(); });
}

VideoFrameView* CustomMoviePlayerViewController::frameView() {
  view();
  return m_frameView;
}

QUrl CustomMoviePlayerViewController::source() const { return m_player ? m_player->source() : QUrl(); }

void CustomMoviePlayerViewController::startMovieBuffering() {
  view();
  if (!m_player) {
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setVideoSink(m_frameView->videoSink());
    registerPlayerNotifications();
  }
  // A stream on is replaced without an end of its own: the new one takes its place.
  m_started = false;
  m_player->stop();
  m_playing = false;
  m_frameView->clear();

  const QString address = BESessionManager::getInstance().videoURL();
  qCInfo(lcPlayer).noquote() << "playing" << address;
  m_started = true;
  m_player->setSource(QUrl(address));
  m_player->play();
  foundation::NotificationCenter::defaultCenter().post(kShowOverlay);
  // Replaces the stop of the stream before: each stream gets its full time.
  m_stopTimer.start(kStopAfterSeconds, false, [this](foundation::Timer&) { stopMoviePlayer(); });
}

void CustomMoviePlayerViewController::registerPlayerNotifications() {
  connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, this,
          [this](QMediaPlayer::MediaStatus status) { moviePlayerMediaStatusDidChange(status); });
  connect(m_player.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString& text) {
    if (error == QMediaPlayer::NoError || !m_started) return;
    qCWarning(lcPlayer).noquote() << "the stream cannot be played:" << text;
    moviePlayBackDidFinish(FinishReason::Error);
  });
  connect(m_player.get(), &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
    // A player that stops by itself has ended its stream.
    if (state == QMediaPlayer::StoppedState && m_started) moviePlayBackDidFinish(FinishReason::Ended);
  });
}

void CustomMoviePlayerViewController::moviePlayerMediaStatusDidChange(QMediaPlayer::MediaStatus status) {
  if (!m_started) return;
  // A playlist that cannot be read leaves the playback state at "playing": the media status is
  // what tells.
  if (status == QMediaPlayer::InvalidMedia) {
    qCWarning(lcPlayer) << "the stream cannot be played:" << m_player->errorString();
    moviePlayBackDidFinish(FinishReason::Error);
  } else if (status == QMediaPlayer::EndOfMedia) {
    moviePlayBackDidFinish(FinishReason::Ended);
  }
}

void CustomMoviePlayerViewController::movieFrameShown() {
  if (!m_started || m_playing) return;
  m_playing = true;
  foundation::NotificationCenter::defaultCenter().post(VideoPlayerStartNotif);
}

void CustomMoviePlayerViewController::stopMoviePlayer() {
  if (m_started) moviePlayBackDidFinish(FinishReason::UserExit);
}

void CustomMoviePlayerViewController::moviePlayBackDidFinish(FinishReason reason) {
  if (!m_started) return;
  m_started = false;
  m_playing = false;
  m_stopTimer.invalidate();
  m_player->stop();
  BEServiceCamera::getInstance().putStopVideoSession();
  auto& center = foundation::NotificationCenter::defaultCenter();
  center.post(kHideOverlay);
  center.post(VideoPlayerStopNotif);
  emit finished(reason);
}

void CustomMoviePlayerViewController::willRotateToInterfaceOrientation(ui::Orientation to, double) {
  if (to == ui::Orientation::PortraitUpsideDown) return;
  view();
  m_frameView->setGeometry(ui::isLandscape(to) ? kLandscapeFrame : kPortraitFrame);
}
