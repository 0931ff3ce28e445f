#include "screens/supervision/MySupervisionController.h"

#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDevice.h"
#include "controls/camera/CustomPageControl.h"
#include "foundation/Strings.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/MyRecTableViewController.h"
#include "screens/supervision/VideoFrameView.h"
#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Theme.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QEvent>
#include <QLoggingCategory>

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

}  // namespace

MySupervisionController::MySupervisionController(QObject* parent)
    : ui::Screen(parent),
      m_imageCycle([this](int index, const QString& serial, const QByteArray& data) { showImage(index, serial, data); }),
      m_video(std::make_unique<VideoSession>()) {
  setTitle(foundation::localized("SUPERVISION"));
}

MySupervisionController::~MySupervisionController() {
  // Nothing the video says on its way out may reach this half-destroyed screen.
  m_video->disconnect(this);
  m_calls.cancelAll();
  m_imageCycle.stop();
  m_video.reset();
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

  // The texts of video mode, centred on black.
  auto videoLabel = [root](const char* font, int size, const QColor& color, int lines) {
    auto* label = new ui::Label(root);
    label->setNumberOfLines(lines);
    label->setTextAlignment(Qt::AlignHCenter);
    label->setTextColor(color);
    label->setFont(ui::Fonts::font(QString::fromLatin1(font), size));
    label->hide();
    return label;
  };
  m_lblLoad = videoLabel("Valdo-Medium", 14, QColor(0xd0, 0xd8, 0xe4), 2);
  m_videoCaption = videoLabel("Valdo-Bold", 15, Qt::white, 1);
  m_videoHint = videoLabel("Valdo-Regular", 13, QColor(0x8a, 0x97, 0xab), 2);
  m_videoHint->setText(foundation::localized("Tap the video to show its commands"));

  m_video->setHost(root);
  connect(m_video.get(), &VideoSession::playerReady, this, [this] {
    m_videoCaption->setText(m_video->caption());
    enterVideoMode();
  });
  connect(m_video.get(), &VideoSession::firstFrame, m_lblLoad, &QWidget::hide);
  connect(m_video.get(), &VideoSession::stopped, this, [this] { leaveVideoMode(); });
  connect(m_video.get(), &VideoSession::recordingStarted, this, [this] { refreshRecordings(); });
  connect(m_video.get(), &VideoSession::menuVisibleChanged, this, [this](bool menu) {
    // The hint says how to open the menu.
    m_videoHint->setVisible(!menu && m_videoMode && !ui::isLandscape(interfaceOrientation()));
  });
  // For the life of the screen, whoever read them: a device list brings the recordings, and the
  // recordings rebuild the pages and the list.
  backend::Home& home = BESessionManager::getInstance().home();
  connect(&home, &backend::Home::devicesChanged, this, &MySupervisionController::onDeviceList);
  connect(&home, &backend::Home::recordingsChanged, this, &MySupervisionController::onRecList);

  // The cameras the store already knows are shown while the lists are asked for again.
  rebuild();

  // A list filed comes through the store; an unchanged one or a failure brings the recordings too.
  auto reply = BEServiceDevice::getInstance().getActuatorList();
  m_calls.call(reply, [this, read = reply.get()] { if (read->isUnchanged()) onDeviceList(); }, [this] { onDeviceList(); },
               backend::ServiceCalls::Overlay::Show);
}

void MySupervisionController::viewWillAppear(bool animated) {
  if (ui::NavigationController* navigation = navigationController()) navigation->setNavigationBarHidden(m_videoMode, animated);
}

void MySupervisionController::onDeviceList() {
  if (m_videoMode) leaveVideoMode();
  // Whatever the devices' outcome, the recordings come next; the screen is built from both.
  refreshRecordings(true);
}

void MySupervisionController::rebuild() {
  m_cameraSensors.clear();
  for (const auto& device : BESessionManager::getInstance().devices())
    if (device && isCamera(*device)) m_cameraSensors.push_back(device);
  buildPages();
  buildRecordings();
  layoutBrowsing();
}

void MySupervisionController::onRecList() {
  rebuild();
  QStringList serials;
  for (const auto& camera : m_cameraSensors) serials << text(camera->serial);
  m_imageCycle.setCameras(serials);
  // Answers that come again find the cycle running and leave it alone.
  m_imageCycle.start();
}

void MySupervisionController::refreshRecordings(bool overlay) {
  auto reply = BEServiceCamera::getInstance().getRecList();
  m_calls.call(reply, [this, read = reply.get()] { if (read->isUnchanged()) onRecList(); }, [this] { onRecList(); },
               overlay ? backend::ServiceCalls::Overlay::Show : backend::ServiceCalls::Overlay::None);
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
  connect(m_listRec.get(), &MyRecTableViewController::playbackChosen, this, [this] {
    if (!m_videoMode) m_video->startPlayback(m_listRec->selectedRec());
  });
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
  if ((y > 0 && m_pagesVisible) || (y < 0 && !m_pagesVisible)) slidePages(!m_pagesVisible);
}

void MySupervisionController::slidePages(bool visible) {
  // The pages slide up slowly as the list is scrolled, and come back at once when it is pulled.
  m_pagesVisible = visible;
  const double seconds = visible ? kExpandSeconds : kCollapseSeconds;
  const int height = view()->height();
  const int to = visible ? kStripHeight : 0;
  ui::Animation::moveTo(m_videoPageControl, QPoint(0, to - kStripHeight), seconds);
  ui::Animation::run(m_recArea, kRecAreaFrameKey, seconds, [this, height, to, from = m_recArea->y()](double p) {
    const int top = int(from + (to - from) * p);
    m_recArea->setGeometry(0, top, kWidth, height - top);
    m_listRecScroll->setGeometry(0, kRecordingsHeaderHeight, kWidth, m_recArea->height() - kRecordingsHeaderHeight);
  });
}

// --- Live video and playback -------------------------------------------------------------------

void MySupervisionController::playCurrentCamera() {
  if (m_videoMode || m_video->isBusy() || m_cameraSensors.empty() || !m_videoPageControl) return;
  const int page = std::clamp(m_videoPageControl->currentPage(), 0, int(m_cameraSensors.size()) - 1);
  m_video->startLive(m_cameraSensors[size_t(page)]);
}

void MySupervisionController::enterVideoMode() {
  m_videoMode = true;
  m_needsRotationBack = false;
  m_leaveAfterRotation = false;
  m_videoPageControl->hide();
  m_recArea->hide();
  m_lblLoad->setText(foundation::localized("Loading the video..."));
  m_lblLoad->show();
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
    m_video->hide(false);
    return;
  }
  m_leaveAfterRotation = false;
  m_video->hide(true);
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
  m_video->layout(bounds, landscape);
  const QRect picture = landscape ? CustomMoviePlayerViewController::kLandscapeFrame : CustomMoviePlayerViewController::kPortraitFrame;
  m_lblLoad->setGeometry(picture.adjusted(20, 0, -20, 0));
  m_videoCaption->setGeometry(12, 8, bounds.width() - 24, 28);
  m_videoCaption->setVisible(!landscape);
  m_videoHint->setGeometry(20, picture.bottom() + 20, bounds.width() - 40, 40);
  m_videoHint->setVisible(!landscape && !(panAndZoom() && panAndZoom()->isVisible()));
  m_lblLoad->raise();
  m_videoCaption->raise();
  m_videoHint->raise();
  m_video->raiseControls();
}

// --- Orientation -------------------------------------------------------------------------------

bool MySupervisionController::shouldAutorotateToInterfaceOrientation(ui::Orientation orientation) const {
  if (orientation == ui::Orientation::Portrait) return true;
  return m_videoMode && ui::isLandscape(orientation);
}

void MySupervisionController::willRotateToInterfaceOrientation(ui::Orientation to, double) {
  if (ui::isLandscape(to)) {
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
    if (m_videoMode) layoutVideo();
    else if (!m_leaveAfterRotation) layoutBrowsing();
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
                      const bool playing = waitFor([this] {
                        CustomMoviePlayerViewController* player = moviePlayer();
                        return player && player->isPlaying() && player->frameView()->frameCount() >= 5;
                      }, 40000);
                      if (!playing) qCWarning(lcSupervision) << "tour: the live video showed no picture";
                    }});
  states.push_back({QStringLiteral("pan"), [this] { m_video->showMenu(); }});
  states.push_back({QStringLiteral("landscape"), [] {
                      if (ui::Window* window = ui::Window::current()) window->setDeviceOrientation(ui::Orientation::LandscapeLeft);
                      waitFor([] { return false; }, 600);
                    }});
  states.push_back({QStringLiteral("recordings"), [this] {
                      if (ui::Window* window = ui::Window::current()) window->setDeviceOrientation(ui::Orientation::Portrait);
                      if (moviePlayer()) moviePlayer()->stopMoviePlayer();
                      m_listRecScroll->setContentOffset(QPointF(0, 1));
                      m_listRecScroll->setContentOffset(QPointF(0, 0));
                      waitFor([] { return false; }, 1000);
                    }});
  return states;
}
