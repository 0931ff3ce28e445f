#include "screens/supervision/VideoSession.h"

#include "backend/BERestConfig.h"
#include "backend/BEServiceCamera.h"
#include "backend/SignInGate.h"
#include "backend/records/VideoRecords.h"
#include "controls/Tools.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "foundation/Strings.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/LivePlaylistProbe.h"
#include "ui/Control.h"
#include "ui/ImageView.h"

#include <QLoggingCategory>
#include <QUrl>

namespace {
Q_LOGGING_CATEGORY(lcVideo, "screens.supervision.video")

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

QString gatewayIdentifier() {
  const auto& auth = BESessionManager::getInstance().auth();
  return auth && auth->gateway ? text(auth->gateway->identifier) : QString();
}

QString pathPart(const QString& value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); }

void alert(const char* key) {
  Tools::alertWithMessageAndTitleAndCancelButton(foundation::localized(key), QString(), foundation::localized("kTradAlertBtnOk"));
}

void showHud(bool show) {
  if (const auto& hud = BESessionManager::getInstance().uiHUD()) show ? hud->show(true) : hud->hide(true);
}

}  // namespace

VideoSession::VideoSession(QObject* parent) : QObject(parent), m_probe(std::make_unique<LivePlaylistProbe>()) {}

VideoSession::~VideoSession() {
  m_calls.cancelAll();
  m_probe->cancel();
  closeCameraSession();
  if (m_player) m_player->stopMoviePlayer();
  discardPlayer();
}

bool VideoSession::isBusy() const { return m_startPending || (m_player && m_player->isStarted()); }

QString VideoSession::caption() const {
  if (!m_live) return foundation::localized("Recording of") + QLatin1Char(' ') + (m_playbackRec ? text(m_playbackRec->date) : QString());
  return m_camera ? text(m_camera->name) : QString();
}

// --- Starting ----------------------------------------------------------------------------------

void VideoSession::startLive(const std::shared_ptr<VODevice>& camera) {
  // One video at a time: a second tap while one is being prepared or plays starts nothing.
  if (isBusy() || !camera) {
    qCInfo(lcVideo) << "a video is already starting or playing";
    return;
  }
  m_camera = camera;
  m_startPending = true;
  const QString serial = text(m_camera->serial);
  m_calls.call(BEServiceCamera::getInstance().putStartVideoSessionWithId(serial), [this] { onVideoStarted(); },
               [this] { m_startPending = false; }, backend::ServiceCalls::Overlay::Show);
}

void VideoSession::onVideoStarted() {
  m_cameraSessionOpen = true;
  const auto& live = BESessionManager::getInstance().live();
  const QString server = live ? text(live->server) : QString();
  const QString port = live ? text(live->serverPort) : QString();
  if (server.isEmpty() || port.isEmpty() || gatewayIdentifier().isEmpty()) {
    qCWarning(lcVideo) << "the video start answer names no stream server";
    m_startPending = false;
    closeCameraSession();
    alert("The video cannot be played.");
    return;
  }
  const QString url = QStringLiteral("http://%1:%2/live/_definst_/%3/live.sdp/playlist.m3u8")
                          .arg(server, pathPart(port), pathPart(gatewayIdentifier()));
  BESessionManager::getInstance().setVideoURL(url);
  // The overlay stays up until the stream is there.
  showHud(true);
  m_probe->start(QUrl(url), kPlayerStartMaxSeconds, [this] { startPlayer(true); });
}

void VideoSession::startPlayback(const std::shared_ptr<VOVideoRec>& rec) {
  if (isBusy()) return;
  if (!rec) {
    alert("No recording selected.");
    return;
  }
  const auto& files = rec->files;
  if (files.empty() || !files.front() || text(files.front()->name).isEmpty()) {
    alert("This recording has no video file.");
    return;
  }
  m_playbackRec = rec;
  m_startPending = true;
  m_calls.call(BEServiceCamera::getInstance().getRecServer(), [this] { onPlaybackServer(); },
               [this] { m_startPending = false; }, backend::ServiceCalls::Overlay::Show);
}

void VideoSession::onPlaybackServer() {
  const auto& playback = BESessionManager::getInstance().playback();
  const QString server = playback ? text(playback->server) : QString();
  if (server.isEmpty() || !m_playbackRec || gatewayIdentifier().isEmpty()) {
    m_startPending = false;
    alert("The video cannot be played.");
    return;
  }
  const QString url = QStringLiteral("http://%1:%2/playback/_definst_/mp4:%3/%4/playlist.m3u8")
                          .arg(server)
                          .arg(BERestConfig::getInstance().playbackPort())
                          .arg(pathPart(gatewayIdentifier()), pathPart(text(m_playbackRec->files.front()->name)));
  BESessionManager::getInstance().setVideoURL(url);
  startPlayer(false);
}

void VideoSession::closeCameraSession() {
  if (!m_cameraSessionOpen) return;
  m_cameraSessionOpen = false;
  {
    const backend::SentByTheApp byTheApp;  // the end of a video: nothing for the user to try again
    BEServiceCamera::getInstance().putStopVideoSession();
  }
}

// --- The player and what lies over it ----------------------------------------------------------

namespace {
// The touch area over the playing video: a tap asks for the video menu.
class VideoTouchArea : public ui::Control {
 public:
  VideoTouchArea(QWidget* parent, VideoSession* session) : ui::Control(parent) {
    connect(this, &ui::Control::touchUpInside, session, &VideoSession::showMenu);
  }
};
}  // namespace

void VideoSession::discardPlayer() {
  delete m_touchArea;
  delete m_panel;
  delete m_recInfo;
  m_player.reset();
}

void VideoSession::startPlayer(bool live) {
  m_startPending = false;
  discardPlayer();
  // From here on the player closes the camera's session when its stream ends.
  m_cameraSessionOpen = false;
  m_live = live;
  m_recordPending = false;

  m_player = std::make_unique<CustomMoviePlayerViewController>();
  m_player->view()->setParent(m_host);
  m_player->view()->show();
  m_touchArea = new VideoTouchArea(m_host, this);
  m_touchArea->hide();
  m_recInfo = new ui::ImageView(QStringLiteral("supervision_onAir.png"), m_host);
  m_recInfo->hide();
  m_panel = new CustomPanAndZoom(CustomPanAndZoom::kPortraitFrame, m_host);
  m_panel->hide();
  // Only motorised cameras turn; no camera commands while a recording plays.
  if (!live || !m_camera || text(m_camera->type) != QLatin1String("RCAM")) m_panel->setPanVisible(false);
  if (!live) m_panel->setRecVisible(false);

  connect(m_panel, &CustomPanAndZoom::panRequested, this, [this](CustomPanAndZoom::Direction direction) {
    static constexpr backend::ReplyPtr (BEServiceCamera::*kCommands[])(const QString&) = {
        &BEServiceCamera::putCameraLeft, &BEServiceCamera::putCameraRight, &BEServiceCamera::putCameraUp,
        &BEServiceCamera::putCameraDown, &BEServiceCamera::putResetCameraPosition};
    pan(kCommands[direction]);
  });
  connect(m_panel, &CustomPanAndZoom::recordRequested, this, [this] { record(); });
  connect(m_panel, &CustomPanAndZoom::closeRequested, this, [this] { hideMenu(); });
  CustomMoviePlayerViewController* player = m_player.get();
  connect(m_panel, &CustomPanAndZoom::stopRequested, player, &CustomMoviePlayerViewController::stopMoviePlayer);
  connect(player, &CustomMoviePlayerViewController::started, this, [this] {
    if (m_touchArea) m_touchArea->show();
  });
  connect(player, &CustomMoviePlayerViewController::firstFrame, this, &VideoSession::firstFrame);
  connect(player, &CustomMoviePlayerViewController::stopped, this, [this] {
    if (m_touchArea) m_touchArea->hide();
    emit stopped();
  });

  showHud(false);
  emit playerReady();
  m_player->startMovieBuffering();
}

void VideoSession::showMenu() {
  if (!m_panel || !m_player || !m_player->isStarted()) return;
  m_panel->show();
  m_panel->raise();
  emit menuVisibleChanged(true);
}

void VideoSession::hideMenu() {
  if (m_panel) m_panel->hide();
  emit menuVisibleChanged(false);
}

void VideoSession::hide(bool everything) {
  if (m_touchArea) m_touchArea->hide();
  if (m_panel) m_panel->hide();
  if (!everything) return;
  if (m_recInfo) m_recInfo->hide();
  if (m_player) m_player->view()->hide();
}

void VideoSession::layout(const QRect& bounds, bool landscape) {
  const ui::Orientation orientation = landscape ? ui::Orientation::LandscapeLeft : ui::Orientation::Portrait;
  if (m_player) {
    m_player->view()->setGeometry(bounds);
    m_player->willRotateToInterfaceOrientation(orientation, 0.1);
    m_player->view()->raise();
  }
  const QRect picture = landscape ? CustomMoviePlayerViewController::kLandscapeFrame : CustomMoviePlayerViewController::kPortraitFrame;
  if (m_touchArea) m_touchArea->setGeometry(bounds);
  if (m_panel) {
    m_panel->willRotateToInterfaceOrientationDuration(orientation, 0.1);
    // The portrait buttons sit 44 points down the panel: the panel starts that far above the picture.
    if (!landscape) m_panel->move(0, picture.top() - 44);
  }
  if (m_recInfo) m_recInfo->move(picture.left() + 10, picture.top() + 10);
}

void VideoSession::raiseControls() {
  if (m_touchArea) m_touchArea->raise();
  if (m_recInfo) m_recInfo->raise();
  if (m_panel) m_panel->raise();
}

// --- Camera commands ---------------------------------------------------------------------------

void VideoSession::pan(backend::ReplyPtr (BEServiceCamera::*command)(const QString&)) {
  if (!m_camera || !m_live) return;
  const QString serial = text(m_camera->serial);
  m_calls.call((BEServiceCamera::getInstance().*command)(serial), {}, {});
}

void VideoSession::record() {
  // Each start may use credit: the button is away until the answer, and back only on a refusal.
  if (!m_camera || !m_live || m_recordPending) return;
  m_recordPending = true;
  if (m_panel) m_panel->setRecVisible(false);
  const QString serial = text(m_camera->serial);
  m_calls.call(BEServiceCamera::getInstance().putStartRecWithDeviceId(serial),
               [this] {
                 m_recordPending = false;
                 if (m_recInfo && m_player && m_player->isStarted()) {
                   m_recInfo->show();
                   m_recInfo->raise();
                 }
                 emit recordingStarted();
               },
               [this] {
                 m_recordPending = false;
                 if (m_panel) m_panel->setRecVisible(true);
               });
}
