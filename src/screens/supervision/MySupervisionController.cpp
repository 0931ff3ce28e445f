#include "screens/supervision/MySupervisionController.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDevice.h"
#include "backend/records/VideoRecords.h"
#include "controls/Tools.h"
#include "controls/camera/CustomPageControl.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "foundation/Strings.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/LivePlaylistProbe.h"
#include "screens/supervision/MyRecTableViewController.h"
#include "screens/supervision/SupervisionNotifications.h"
#include "screens/supervision/VideoFrameView.h"
#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/PageIndicator.h"
#include "ui/Theme.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QLoggingCategory>
#include <QThread>
#include <QUrl>

namespace {
Q_LOGGING_CATEGORY(lcSupervision, "screens.supervision")

constexpr double kCollapseSeconds = 0.8;
constexpr double kExpandSeconds = 0.1;
constexpr int kWidth = 320;
constexpr int kPageHeight = MySupervisionController::kStripHeight - CustomPageControl::kTitleHeight - CustomPageControl::kIndicatorHeight;
const QByteArray kRecAreaFrameKey = "frame";

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

bool isCamera(const VODevice& device) {
  const QString type = text(device.type);
  return type == QLatin1String("FCAM") || type == QLatin1String("RCAM") || type == QLatin1String("OCAM");
}

QString gatewayIdentifier() {
  const auto& auth = BESessionManager::getInstance().auth();
  return auth && auth->gateway ? text(auth->gateway->identifier) : QString();
}

QString pathPart(const QString& value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); }

void alert(const char* key) {
  Tools::alertWithMessageAndTitleAndCancelButton(foundation::localized(key), QString(), foundation::localized("kTradAlertBtnOk"));
}

// The touch area over the playing video: a tap asks for the video menu.
class VideoTouchArea : public ui::Control {
 public:
  explicit VideoTouchArea(QWidget* parent) : ui::Control(parent) {
    connect(this, &ui::Control::touchUpInside, this,
            [] { foundation::NotificationCenter::defaultCenter().post(kShowVideoMenu); });
  }
};

// Runs the event loop until `done` holds or `ms` pass (the tour pictures a video that plays).
bool pumpUntil(const std::function<bool()>& done, int ms) {
  QDeadlineTimer deadline(ms);
  while (!done()) {
    if (deadline.hasExpired()) return done();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace

MySupervisionController::MySupervisionController(QObject* parent)
    : ui::Screen(parent),
      m_imageCycle([this](int index, const QString& serial, const QByteArray& data) { showImage(index, serial, data); }),
      m_probe(std::make_unique<LivePlaylistProbe>()) {
  setTitle(foundation::localized("SUPERVISION"));
}

MySupervisionController::~MySupervisionController() {
  // Nothing the player posts on its way out may reach this half-destroyed screen.
  m_observations.clear();
  m_calls.cancelAll();
  m_imageCycle.stop();
  m_probe->cancel();
  if (m_player) m_player->stopMoviePlayer();
  if (const auto& hud = BESessionManager::getInstance().uiHUD()) hud->hide(false);
  if (ui::NavigationController* navigation = navigationController())
    if (m_videoMode) navigation->setNavigationBarHidden(false);
}

// --- Opening ---------------------------------------------------------------------------------

void MySupervisionController::viewDidLoad() {
  QWidget* root = view();
  ui::setBackgroundColor(root, ui::rgb(0.922, 0.922, 0.929));
  root->installEventFilter(this);

  m_recArea = new QWidget(root);
  m_recHeader = new ui::Label(QRect(14, 0, kWidth - 28, kRecordingsHeaderHeight), m_recArea);
  m_recHeader->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 13));
  m_recHeader->setTextColor(QColor(0x3a, 0x46, 0x5a));
  m_listRecScroll = new ui::ScrollView(QRect(0, kRecordingsHeaderHeight, kWidth, 100), m_recArea);
  m_listRecScroll->setAlwaysBounceVertical(true);
  m_listRecScroll->setShowsHorizontalScrollIndicator(false);
  m_listRecScroll->setDelegate(this);

  m_lblLoad = new ui::Label(root);
  m_lblLoad->setNumberOfLines(2);
  m_lblLoad->setTextAlignment(Qt::AlignHCenter);
  m_lblLoad->setTextColor(QColor(0xd0, 0xd8, 0xe4));
  m_lblLoad->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 14));
  m_lblLoad->hide();
  m_videoCaption = new ui::Label(root);
  m_videoCaption->setTextAlignment(Qt::AlignHCenter);
  m_videoCaption->setTextColor(Qt::white);
  m_videoCaption->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 15));
  m_videoCaption->hide();
  m_videoHint = new ui::Label(root);
  m_videoHint->setNumberOfLines(2);
  m_videoHint->setTextAlignment(Qt::AlignHCenter);
  m_videoHint->setTextColor(QColor(0x8a, 0x97, 0xab));
  m_videoHint->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 13));
  m_videoHint->setText(foundation::localized("Tap the video to show its commands"));
  m_videoHint->hide();

  auto observe = [this](const char* name, std::function<void()> action) {
    m_observations.add(name, [action = std::move(action)](const foundation::Notification&) { action(); });
  };
  observe(VideoPlayerStopNotif, [this] { leaveVideoMode(); });
  observe(VideoPlayerStartNotif, [this] { m_lblLoad->hide(); });
  observe(kShowVideoMenu, [this] {
    if (!m_panAndZoom || !m_videoMode) return;
    m_panAndZoom->show();
    m_panAndZoom->raise();
    m_videoHint->hide();  // it says how to get here
  });
  observe(kHideVideoMenu, [this] {
    if (m_panAndZoom) m_panAndZoom->hide();
    if (m_videoMode && !ui::isLandscape(interfaceOrientation())) m_videoHint->show();
  });
  observe(kShowOverlay, [this] { if (m_overlay) m_overlay->show(); });
  observe(kHideOverlay, [this] { if (m_overlay) m_overlay->hide(); });
  observe(kNewSelectedPlaybackForPlayer, [this] { onPlaybackSelected(); });
  observe(kVideoPanLeft, [this] { pan(&BEServiceCamera::putCameraLeft); });
  observe(kVideoPanRight, [this] { pan(&BEServiceCamera::putCameraRight); });
  observe(kVideoPanUp, [this] { pan(&BEServiceCamera::putCameraUp); });
  observe(kVideoPanDown, [this] { pan(&BEServiceCamera::putCameraDown); });
  observe(kVideoPanReset, [this] { pan(&BEServiceCamera::putResetCameraPosition); });
  observe(kVideoRec, [this] { onRecord(); });
  // For the life of the screen, whoever asked: a device list brings the recordings, and the
  // recordings rebuild the pages and the list.
  observe(kSuccessDeviceGetList, [this] { onDeviceList(); });
  observe(kErrorDeviceGetList, [this] { onDeviceList(); });
  observe(kSuccessCameraGetRecList, [this] { onRecList(); });
  observe(kErrorCameraGetRecList, [this] { onRecList(); });

  buildPages();
  buildRecordings();
  layoutBrowsing();

  m_calls.call(BEServiceDevice::getInstance().getActuatorList(), {}, {}, backend::ServiceCalls::Overlay::Show);
}

void MySupervisionController::viewWillAppear(bool animated) {
  if (ui::NavigationController* navigation = navigationController()) navigation->setNavigationBarHidden(m_videoMode, animated);
}

void MySupervisionController::onDeviceList() {
  if (m_videoMode) leaveVideoMode();
  // Whatever the devices' outcome, the recordings come next; the screen is built from both.
  m_calls.call(BEServiceCamera::getInstance().getRecList(), {}, {}, backend::ServiceCalls::Overlay::Show);
}

void MySupervisionController::onRecList() {
  m_cameraSensors.clear();
  for (const auto& device : BESessionManager::getInstance().devices())
    if (device && isCamera(*device)) m_cameraSensors.push_back(device);
  buildPages();
  buildRecordings();
  layoutBrowsing();
  QStringList serials;
  for (const auto& camera : m_cameraSensors) serials << text(camera->serial);
  m_imageCycle.setCameras(serials);
  // Answers that come again find the cycle running and leave it alone.
  m_imageCycle.start();
}

void MySupervisionController::refreshRecordings() {
  m_calls.call(BEServiceCamera::getInstance().getRecList(), {}, {});
}

// --- Pages and recordings ----------------------------------------------------------------------

void MySupervisionController::buildPages() {
  const int previousPage = m_videoPageControl ? m_videoPageControl->currentPage() : 0;
  delete m_videoPageControl;

  const int cameras = int(m_cameraSensors.size());
  QStringList titles;
  for (const auto& camera : m_cameraSensors) titles << text(camera->name);
  if (cameras == 0) titles << QString();
  m_videoPageControl = new CustomPageControl(QRect(0, 0, kWidth, kStripHeight), std::max(1, cameras), titles,
                                             ui::themeColor(QStringLiteral("blue")), view());

  if (cameras == 0) {
    auto* none = new ui::Label();
    ui::setBackgroundColor(none, Qt::black);
    none->setTextColor(Qt::white);
    none->setTextAlignment(Qt::AlignHCenter);
    none->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 15));
    none->setText(foundation::localized("No added camera"));
    m_videoPageControl->loadScrollViewWithPageAndView(0, none);
  }
  for (int i = 0; i < cameras; ++i) {
    auto* picture = new ui::ImageView(QRect(0, 0, kWidth, kPageHeight), nullptr);
    ui::setTag(picture, kImageTagBase + i);
    picture->setContentMode(ui::ImageView::ContentMode::AspectFill);
    const QImage known = m_pictures.value(text(m_cameraSensors[size_t(i)]->serial));
    if (known.isNull()) {
      picture->setImageName(QStringLiteral("supervision_camera_placeholder.png"));
    } else {
      picture->setImage(ui::Image::fromImage(known));
    }
    auto* play = new ui::Button(QRect(), nullptr);
    play->setImageName(QStringLiteral("supervision_iconPlayPlayer.png"));
    play->setContentAlpha(0.7);
    play->setObjectName(QStringLiteral("playButton%1").arg(i));
    play->setAccessibleName(foundation::localized("A11Y_PLAY_VIDEO"));
    play->setAccessibleDescription(QString::fromStdString(m_cameraSensors[size_t(i)]->name.value_or("")));
    connect(play, &ui::Control::touchUpInside, this, [this] { playCurrentCamera(); });
    m_videoPageControl->loadButtonWithPageAndBtnViewAndImgView(i, play, picture);
  }
  if (previousPage > 0 && previousPage < cameras) showCameraPage(previousPage);
  m_videoPageControl->setVisible(!m_videoMode);
}

void MySupervisionController::buildRecordings() {
  m_listRec = std::make_unique<MyRecTableViewController>();
  ui::TableView* table = m_listRec->tableView();
  table->setParent(m_listRecScroll->contentView());
  table->setScrollEnabled(false);
  // Loads the rows from the session store.
  table->setGeometry(0, 0, kWidth, kEmptyRecordingsHeight);
  m_listRec->refreshData();
  const int height = m_listRec->contentHeight(kEmptyRecordingsHeight);
  table->setGeometry(0, 0, kWidth, height);
  table->reloadData();
  table->show();
  m_listRecScroll->setContentSize(QSize(kWidth, height));
  const int count = int(m_listRec->recs().size());
  m_recHeader->setText(count == 0 ? foundation::localized("RECORDINGS")
                                  : QStringLiteral("%1 (%2)").arg(foundation::localized("RECORDINGS")).arg(count));
}

void MySupervisionController::layoutBrowsing() {
  if (!isViewLoaded() || m_videoMode) return;
  const int height = view()->height();
  if (m_videoPageControl) m_videoPageControl->move(0, m_pagesVisible ? 0 : -kStripHeight);
  if (!ui::Animation::isRunning(m_recArea, kRecAreaFrameKey)) {
    const int top = m_pagesVisible ? kStripHeight : 0;
    m_recArea->setGeometry(0, top, kWidth, height - top);
  }
  m_listRecScroll->setGeometry(0, kRecordingsHeaderHeight, kWidth, m_recArea->height() - kRecordingsHeaderHeight);
}

ui::ImageView* MySupervisionController::pictureOfPage(int page) const {
  return m_videoPageControl ? ui::viewWithTag<ui::ImageView>(m_videoPageControl->scrollView()->contentView(), kImageTagBase + page)
                            : nullptr;
}

ui::Button* MySupervisionController::playButtonOfPage(int page) const {
  return m_videoPageControl ? m_videoPageControl->findChild<ui::Button*>(QStringLiteral("playButton%1").arg(page)) : nullptr;
}

void MySupervisionController::showCameraPage(int page) {
  if (!m_videoPageControl || page < 0 || page >= m_videoPageControl->kNumberOfPages()) return;
  m_videoPageControl->scrollView()->setContentOffset(QPointF(page * m_videoPageControl->pageWidth(), 0));
}

void MySupervisionController::showImage(int index, const QString& serial, const QByteArray& data) {
  const QImage image = QImage::fromData(data);
  if (image.isNull()) {
    qCWarning(lcSupervision) << "the still picture of" << serial << "cannot be decoded";
    return;
  }
  m_pictures.insert(serial, image);
  // The page of that camera, if the list still has it there.
  if (index < int(m_cameraSensors.size()) && text(m_cameraSensors[size_t(index)]->serial) == serial)
    if (ui::ImageView* picture = pictureOfPage(index)) picture->setImage(ui::Image::fromImage(image));
}

// --- Collapsing the pages ----------------------------------------------------------------------

void MySupervisionController::scrollViewDidScroll(ui::ScrollView* scrollView) {
  if (scrollView != m_listRecScroll || m_videoMode) return;
  const double y = scrollView->contentOffset().y();
  if (y > 0 && m_pagesVisible) collapsePages();
  else if (y < 0 && !m_pagesVisible) expandPages();
}

void MySupervisionController::collapsePages() {
  m_pagesVisible = false;
  const int height = view()->height();
  ui::Animation::moveTo(m_videoPageControl, QPoint(0, -kStripHeight), kCollapseSeconds);
  ui::Animation::run(m_recArea, kRecAreaFrameKey, kCollapseSeconds, [this, height, from = m_recArea->y()](double p) {
    const int top = int(from + (0 - from) * p);
    m_recArea->setGeometry(0, top, kWidth, height - top);
    m_listRecScroll->setGeometry(0, kRecordingsHeaderHeight, kWidth, m_recArea->height() - kRecordingsHeaderHeight);
  });
}

void MySupervisionController::expandPages() {
  m_pagesVisible = true;
  const int height = view()->height();
  ui::Animation::moveTo(m_videoPageControl, QPoint(0, 0), kExpandSeconds);
  ui::Animation::run(m_recArea, kRecAreaFrameKey, kExpandSeconds, [this, height, from = m_recArea->y()](double p) {
    const int top = int(from + (kStripHeight - from) * p);
    m_recArea->setGeometry(0, top, kWidth, height - top);
    m_listRecScroll->setGeometry(0, kRecordingsHeaderHeight, kWidth, m_recArea->height() - kRecordingsHeaderHeight);
  });
}

// --- Live video and playback -------------------------------------------------------------------

void MySupervisionController::playCurrentCamera() {
  // One video at a time: a second tap while one is being prepared or plays starts nothing.
  if (m_startPending || m_videoMode || (m_player && m_player->isStarted())) {
    qCInfo(lcSupervision) << "a video is already starting or playing";
    return;
  }
  if (m_cameraSensors.empty() || !m_videoPageControl) return;
  const int page = std::clamp(m_videoPageControl->currentPage(), 0, int(m_cameraSensors.size()) - 1);
  m_selectedCamera = m_cameraSensors[size_t(page)];
  m_startPending = true;
  const QString serial = text(m_selectedCamera->serial);
  m_calls.call(BEServiceCamera::getInstance().putStartVideoSessionWithId(serial), [this] { onVideoStarted(); },
               [this] { m_startPending = false; }, backend::ServiceCalls::Overlay::Show);
}

void MySupervisionController::onVideoStarted() {
  const auto& live = BESessionManager::getInstance().live();
  const QString server = live ? text(live->server) : QString();
  const QString port = live ? text(live->serverPort) : QString();
  if (server.isEmpty() || port.isEmpty() || gatewayIdentifier().isEmpty()) {
    qCWarning(lcSupervision) << "the video start answer names no stream server";
    m_startPending = false;
    alert("The video cannot be played.");
    return;
  }
  const QString url = QStringLiteral("http://%1:%2/live/_definst_/%3/live.sdp/playlist.m3u8")
                          .arg(server, pathPart(port), pathPart(gatewayIdentifier()));
  BESessionManager::getInstance().setVideoURL(url);
  // The overlay stays up until the stream is there.
  showHud(true);
  m_probe->start(QUrl(url), kPlayerStartMaxSeconds, [this] { startPlayer(VideoKind::Live); });
}

void MySupervisionController::onPlaybackSelected() {
  if (m_startPending || m_videoMode || (m_player && m_player->isStarted())) return;
  const std::shared_ptr<VOVideoRec> rec = m_listRec ? m_listRec->selectedRec() : nullptr;
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

void MySupervisionController::onPlaybackServer() {
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
  startPlayer(VideoKind::Playback);
}

void MySupervisionController::discardPlayer() {
  delete m_overlay;
  delete m_panAndZoom;
  delete m_recInfo;
  m_player.reset();
}

void MySupervisionController::startPlayer(VideoKind kind) {
  m_startPending = false;
  discardPlayer();
  m_videoKind = kind;
  QWidget* root = view();

  m_player = std::make_unique<CustomMoviePlayerViewController>();
  m_player->view()->setParent(root);
  m_overlay = new VideoTouchArea(root);
  m_overlay->hide();
  m_recInfo = new ui::ImageView(QStringLiteral("supervision_onAir.png"), root);
  m_recInfo->hide();
  m_panAndZoom = new CustomPanAndZoom(CustomPanAndZoom::kPortraitFrame, root);
  m_panAndZoom->hide();

  if (kind == VideoKind::Live) {
    // Only motorised cameras turn.
    if (!m_selectedCamera || text(m_selectedCamera->type) != QLatin1String("RCAM"))
      foundation::NotificationCenter::defaultCenter().post(kHidePan);
    m_videoCaption->setText(m_selectedCamera ? text(m_selectedCamera->name) : QString());
  } else {
    // No camera commands while a recording plays.
    auto& center = foundation::NotificationCenter::defaultCenter();
    center.post(kHidePan);
    center.post(kHideRec);
    m_videoCaption->setText(foundation::localized("Recording of") + QLatin1Char(' ') + text(m_playbackRec->date));
  }
  showHud(false);
  enterVideoMode();
  m_player->startMovieBuffering();
}

void MySupervisionController::enterVideoMode() {
  m_videoMode = true;
  m_wasInLandscape = false;
  m_needsRotationBack = false;
  m_leaveAfterRotation = false;
  m_videoPageControl->hide();
  m_recArea->hide();
  m_lblLoad->setText(foundation::localized("Loading the video..."));
  m_lblLoad->show();
  if (m_player) m_player->view()->show();
  m_videoCaption->show();
  m_videoHint->show();
  ui::setBackgroundColor(view(), Qt::black);
  if (ui::NavigationController* navigation = navigationController()) navigation->setNavigationBarHidden(true);
  layoutVideo();
}

void MySupervisionController::leaveVideoMode() {
  if (!m_videoMode && !m_leaveAfterRotation) return;
  m_videoMode = false;
  if (ui::isLandscape(interfaceOrientation())) {
    // The rest waits for the device to turn back to portrait.
    m_leaveAfterRotation = true;
    if (m_overlay) m_overlay->hide();
    if (m_panAndZoom) m_panAndZoom->hide();
    return;
  }
  m_leaveAfterRotation = false;
  if (m_panAndZoom) m_panAndZoom->hide();
  if (m_overlay) m_overlay->hide();
  if (m_recInfo) m_recInfo->hide();
  if (m_player) m_player->view()->hide();
  m_lblLoad->hide();
  m_videoCaption->hide();
  m_videoHint->hide();
  ui::setBackgroundColor(view(), ui::rgb(0.922, 0.922, 0.929));
  if (ui::NavigationController* navigation = navigationController()) navigation->setNavigationBarHidden(false);
  m_videoPageControl->show();
  m_recArea->show();
  layoutBrowsing();
}

void MySupervisionController::layoutVideo() {
  if (!m_videoMode || !isViewLoaded()) return;
  // The view's shape tells the orientation it is laid out for (the interface's orientation is
  // updated only once the rotation is over).
  const QRect bounds = view()->rect();
  const bool landscape = bounds.width() > bounds.height();
  const ui::Orientation orientation = landscape ? ui::Orientation::LandscapeLeft : ui::Orientation::Portrait;
  if (m_player) {
    m_player->view()->setGeometry(bounds);
    m_player->willRotateToInterfaceOrientation(orientation, 0.1);
  }
  const QRect picture = landscape ? CustomMoviePlayerViewController::kLandscapeFrame : CustomMoviePlayerViewController::kPortraitFrame;
  if (m_overlay) m_overlay->setGeometry(bounds);
  if (m_panAndZoom) {
    m_panAndZoom->willRotateToInterfaceOrientationDuration(orientation, 0.1);
    // The portrait buttons sit 44 points down the panel: the panel starts that far above the picture.
    if (!landscape) m_panAndZoom->move(0, picture.top() - 44);
  }
  if (m_recInfo) m_recInfo->move(picture.left() + 10, picture.top() + 10);
  m_lblLoad->setGeometry(picture.adjusted(20, 0, -20, 0));
  m_videoCaption->setGeometry(12, 8, bounds.width() - 24, 28);
  m_videoCaption->setVisible(!landscape);
  m_videoHint->setGeometry(20, picture.bottom() + 20, bounds.width() - 40, 40);
  m_videoHint->setVisible(!landscape && !(m_panAndZoom && m_panAndZoom->isVisible()));

  if (m_player) m_player->view()->raise();
  m_lblLoad->raise();
  m_videoCaption->raise();
  m_videoHint->raise();
  if (m_overlay) m_overlay->raise();
  if (m_recInfo) m_recInfo->raise();
  if (m_panAndZoom) m_panAndZoom->raise();
}

// --- Camera commands ---------------------------------------------------------------------------

void MySupervisionController::pan(backend::ReplyPtr (BEServiceCamera::*command)(const QString&)) {
  if (!m_selectedCamera) return;
  const QString serial = text(m_selectedCamera->serial);
  m_calls.call((BEServiceCamera::getInstance().*command)(serial), {}, {});
}

void MySupervisionController::onRecord() {
  if (!m_selectedCamera) return;
  const QString serial = text(m_selectedCamera->serial);
  m_calls.call(BEServiceCamera::getInstance().putStartRecWithDeviceId(serial), [this] { onRecordStarted(); }, {});
}

void MySupervisionController::onRecordStarted() {
  if (m_recInfo && m_videoMode) {
    m_recInfo->show();
    m_recInfo->raise();
  }
  foundation::NotificationCenter::defaultCenter().post(kHideRec);
  // The new recording joins the list.
  refreshRecordings();
}

void MySupervisionController::showHud(bool show) {
  if (const auto& hud = BESessionManager::getInstance().uiHUD()) show ? hud->show(true) : hud->hide(true);
}

// --- Orientation -------------------------------------------------------------------------------

bool MySupervisionController::shouldAutorotateToInterfaceOrientation(ui::Orientation orientation) const {
  if (orientation == ui::Orientation::Portrait) return true;
  return m_videoMode && ui::isLandscape(orientation);
}

void MySupervisionController::willRotateToInterfaceOrientation(ui::Orientation to, double) {
  if (ui::isLandscape(to)) {
    m_wasInLandscape = true;
    m_needsRotationBack = true;
    return;
  }
  if (m_needsRotationBack) {
    m_needsRotationBack = false;
    // A video that ended in landscape leaves video mode now that the device is upright.
    if (m_leaveAfterRotation) {
      setInterfaceOrientation(to);
      leaveVideoMode();
    }
  }
}

bool MySupervisionController::eventFilter(QObject* watched, QEvent* event) {
  if (isViewLoaded() && watched == view() && event->type() == QEvent::Resize) {
    if (m_videoMode) {
      layoutVideo();
    } else if (!m_leaveAfterRotation) {
      layoutBrowsing();
    }
  }
  return ui::Screen::eventFilter(watched, event);
}

// --- Tour --------------------------------------------------------------------------------------

std::vector<controls::TourStates::State> MySupervisionController::tourStates() {
  std::vector<State> states;
  // The motorised garden camera shows every button of the video menu.
  states.push_back({QStringLiteral("live"), [this] {
                      int page = 0;
                      for (size_t i = 0; i < m_cameraSensors.size(); ++i)
                        if (text(m_cameraSensors[i]->type) == QLatin1String("RCAM")) page = int(i);
                      showCameraPage(page);
                      playCurrentCamera();
                      const bool playing = pumpUntil([this] { return m_player && m_player->isPlaying() && m_player->frameView()->frameCount() >= 5; }, 40000);
                      if (!playing) qCWarning(lcSupervision) << "tour: the live video showed no picture";
                    }});
  states.push_back({QStringLiteral("pan"), [] { foundation::NotificationCenter::defaultCenter().post(kShowVideoMenu); }});
  states.push_back({QStringLiteral("landscape"), [] {
                      if (ui::Window* window = ui::Window::current()) window->setDeviceOrientation(ui::Orientation::LandscapeLeft);
                      pumpUntil([] { return false; }, 600);
                    }});
  states.push_back({QStringLiteral("recordings"), [this] {
                      if (ui::Window* window = ui::Window::current()) window->setDeviceOrientation(ui::Orientation::Portrait);
                      if (m_player) m_player->stopMoviePlayer();
                      m_listRecScroll->setContentOffset(QPointF(0, 1));
                      m_listRecScroll->setContentOffset(QPointF(0, 0));
                      pumpUntil([] { return false; }, 1000);
                    }});
  return states;
}
