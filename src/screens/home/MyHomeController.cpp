#include "screens/home/MyHomeController.h"

#include "screens/home/AllActiveSensorsTableView.h"
#include "screens/scenarios/ScenarioTableViewController.h"

#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceMode.h"
#include "controls/camera/CustomPageControl.h"
#include "controls/playstop/CustomPlayStop.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"
#include "foundation/Strings.h"
#include "ui/Animation.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/TableView.h"
#include "ui/Views.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>

#include <algorithm>

namespace {

// The sections, in the scrolling area's content (320 wide; cards 10 from each side).
constexpr int kCardX = 10;
constexpr int kCardWidth = 300;
constexpr int kTextX = 25;
constexpr QRect kFavoriteCard(kCardX, 8, kCardWidth, 72);
constexpr QRect kSecurityCard(kCardX, 86, kCardWidth, 200);
constexpr int kScenarioCardTop = 292;
constexpr int kScenarioTitleY = 298;
constexpr int kScenarioListY = 321;
constexpr int kRowControlX = 222;  // switches and play/stop controls, left edge
constexpr int kListRowHeight = 50;
constexpr int kBottomMargin = 10;  // below the last card and its shadow

const QColor kBackground = ui::rgb(0.922, 0.922, 0.929);
const QColor kStripColor = ui::rgb(0.369, 0.384, 0.404);
const QColor kSectionTitleColor(0x16, 0x71, 0xad);
const QColor kItemColor(0x1d, 0x26, 0x33);
const QColor kLineColor(0xdd, 0xe1, 0xe6);

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

bool isCamera(const VODeviceLight& device) {
  const QString type = text(device.type);
  return type == QLatin1String("FCAM") || type == QLatin1String("RCAM") || type == QLatin1String("OCAM");
}

ui::ImageView* makeCard(QWidget* parent) {
  auto* card = new ui::ImageView(parent);
  card->setImage(ui::Images::named(QStringLiteral("home_card.png")).stretchable(12, 12));
  return card;
}

// The card picture carries its shadow around the card itself.
QRect withShadow(const QRect& card) { return card.adjusted(-3, -2, 3, 4); }

ui::Label* makeLabel(QWidget* parent, const QRect& frame, const char* font, double size, const QColor& color,
                     int lines = 1) {
  auto* label = new ui::Label(frame, parent);
  label->setFont(ui::Fonts::font(QString::fromLatin1(font), size));
  label->setTextColor(color);
  label->setNumberOfLines(lines);
  return label;
}

QWidget* makeLine(QWidget* parent, const QRect& frame) {
  auto* line = new QWidget(parent);
  line->setGeometry(frame);
  ui::setBackgroundColor(line, kLineColor);
  ui::setUserInteractionEnabled(line, false);
  return line;
}

int intrusionPosition(const QString& mode) {
  if (mode == QLatin1String("OFF")) return 0;
  if (mode == QLatin1String("PRESENCE")) return 1;
  if (mode == QLatin1String("ON")) return 2;
  return -1;
}

}  // namespace

MyHomeController::MyHomeController(QObject* parent) : ui::Screen(parent) {}

MyHomeController::~MyHomeController() {
  // Nothing of the image cycle may reach a screen that goes; the lists go before the rows they
  // hold in our view.
  m_nsImgTimer.invalidate();
  m_imageCalls.cancelAll();
  m_listScenarios.reset();
  m_listSensors.reset();
}

// ---------------------------------------------------------------------------------------------
// Building

void MyHomeController::viewDidLoad() {
  QWidget* root = view();
  ui::setBackgroundColor(root, kBackground);

  // The content area first: the strip slides under the header when it hides.
  m_scrollView = new ui::ScrollView(root);
  m_scrollView->setObjectName(QStringLiteral("homeContent"));
  m_scrollView->setAlwaysBounceVertical(true);
  m_scrollView->setShowsHorizontalScrollIndicator(false);
  m_scrollView->setContentSize(QSize(320, 2000));
  m_scrollView->setDelegate(this);

  m_btnReturnToCamera = new ui::Button(root);
  m_btnReturnToCamera->setObjectName(QStringLiteral("btnReturnToCamera"));
  m_btnReturnToCamera->setBackgroundImageName(QStringLiteral("home_camera_tab.png"));
  m_btnReturnToCamera->setAccessibleName(foundation::localized("A11Y_SHOW_CAMERAS"));
  m_btnReturnToCamera->hide();
  connect(m_btnReturnToCamera, &ui::Control::touchUpInside, this, [this] {
    // Back to the top, where the strip belongs.
    if (m_scrollView) m_scrollView->setContentOffset(QPointF(0, 0));
    seeVideoPageControl();
  });

  m_header = new ui::ImageView(QStringLiteral("home_top.png"), root);
  m_title = makeLabel(root, QRect(15, 0, 220, kHeaderHeight - 3), "Valdo-Light", 26, Qt::white);
  m_title->setObjectName(QStringLiteral("homeTitle"));
  m_title->setText(foundation::localized("MYHOME"));

  initFixedPartContent();
  refreshVideoSensors();
  initVideoPageControl();
  refreshModes();
  refreshFavorite();
  root->installEventFilter(this);
  layoutView();

  fetchDashboard();
}

void MyHomeController::fetchDashboard() {
  // With a dashboard already at hand the screen is usable at once: no overlay in the way.
  const bool haveOne = BESessionManager::getInstance().dashboard() != nullptr;
  m_calls.call([] { BEServiceDashboard::getInstance().getDashboard(); }, [this] { onGetDashBoard(); },
               [this] { onGetDashBoardError(); },
               haveOne ? backend::ServiceCalls::Overlay::None : backend::ServiceCalls::Overlay::Show);
}

void MyHomeController::refresh() {
  if (isViewLoaded()) m_calls.refresh([] { BEServiceDashboard::getInstance().getDashboard(); }, [this] { onGetDashBoard(); });
}

void MyHomeController::onGetDashBoard() {
  ++m_dashboardAnswers;
  if (!isViewLoaded()) return;
  if (refreshVideoSensors()) initVideoPageControl();
  if (m_cameraSensors.empty()) {
    stopImageCycle();
  } else {
    startImageCycle();  // unless one runs already
  }
  refreshModes();
  refreshFavorite();
  m_listScenarios->refreshData();
  m_listSensors->refreshData();
  adjustScenarioBgAndContentHeight();
}

bool MyHomeController::refreshVideoSensors() {
  m_cameraSensors.clear();
  if (const auto& dashboard = BESessionManager::getInstance().dashboard()) {
    for (const auto& device : dashboard->cameras)
      if (device && isCamera(*device)) m_cameraSensors.push_back(device);
  }
  QStringList cameras;
  for (const auto& camera : m_cameraSensors) cameras << text(camera->serial) + QLatin1Char('\n') + text(camera->name);
  const bool changed = cameras != m_stripCameras || !m_videoPageControl;
  m_stripCameras = cameras;
  return changed;
}

void MyHomeController::initVideoPageControl() {
  QWidget* root = view();
  const QRect frame(0, m_videoPageControlIsVisible ? kHeaderHeight : kHeaderHeight - kStripHeight, 320, kStripHeight);
  int page = 0;
  if (m_videoPageControl) {
    page = m_videoPageControl->currentPage();
    delete m_videoPageControl.data();
  }
  const int n = int(m_cameraSensors.size());
  if (n > 0) {
    QStringList titles;
    for (const auto& camera : m_cameraSensors) titles << text(camera->name);
    m_videoPageControl = new CustomPageControl(frame, n, titles, kStripColor, root);
    for (int i = 0; i < n; ++i) {
      // Until its first picture a page shows a camera, faintly.
      auto* waiting = new ui::ImageView(QStringLiteral("home_camera_wait.png"), nullptr);
      waiting->setContentMode(ui::ImageView::ContentMode::Center);
      m_videoPageControl->loadScrollViewWithPageAndView(i, waiting);
      auto* image = new ui::ImageView(m_videoPageControl);
      image->setContentMode(ui::ImageView::ContentMode::AspectFill);
      ui::setTag(image, kImageTagBase + i);
      m_videoPageControl->loadScrollViewWithPageAndView(i, image);
    }
    // The strip shows the page it showed, if it still exists.
    if (page > 0 && page < n) m_videoPageControl->scrollView()->setContentOffset(QPointF(page * 320, 0));
    if (m_lastImgDownloadedIndex < 0 || m_lastImgDownloadedIndex >= n) m_lastImgDownloadedIndex = n - 1;
  } else {
    m_videoPageControl = new CustomPageControl(frame, 1, QStringList{QString()}, kStripColor, root);
    auto* page0 = new QWidget();
    auto* icon = new ui::ImageView(QStringLiteral("home_no_camera.png"), page0);
    icon->move((320 - 48) / 2, 22);
    ui::Label* label = makeLabel(page0, QRect(20, 76, 280, 44), "Valdo-Light", 18, Qt::white, 2);
    label->setObjectName(QStringLiteral("noCameraLabel"));
    label->setTextAlignment(Qt::AlignHCenter);
    label->setText(foundation::localized("No added camera"));
    m_videoPageControl->loadScrollViewWithPageAndView(0, page0);
    m_lastImgDownloadedIndex = -1;
  }
  m_videoPageControl->setVisible(m_videoPageControlIsVisible);
  m_videoPageControl->show();
  m_videoPageControl->stackUnder(m_header);
  if (!m_videoPageControlIsVisible) m_videoPageControl->hide();
}

void MyHomeController::initFixedPartContent() {
  QWidget* content = m_scrollView->contentView();

  // 1. The favorite that runs now.
  m_bgFavorite = makeCard(content);
  m_bgFavorite->setGeometry(withShadow(kFavoriteCard));
  makeLabel(content, QRect(kTextX, 16, 270, 20), "Valdo-Bold", 15, kSectionTitleColor)
      ->setText(foundation::localized("MY CURRENT FAVORITE"));
  m_favoriteNameLbl = makeLabel(content, QRect(kTextX, 40, 170, 34), "Valdo-Bold", 12, kItemColor, 2);
  m_favoriteNameLbl->setObjectName(QStringLiteral("favoriteNameLbl"));
  m_favoriteNameLbl->setText(foundation::localized("Load favorites ..."));
  m_favoriteVLine = makeLine(content, QRect(kRowControlX - 14, 42, 1, 30));
  m_favoritePlayStop = new CustomPlayStop(QRect(kRowControlX, 39, CustomPlayStop::kWidth, CustomPlayStop::kHeight), true,
                                          QStringLiteral("blue"), content);
  m_favoriteNameLbl->setBuddy(m_favoritePlayStop);  // the control reads as the favorite it stops
  m_favoriteVLine->hide();
  m_favoritePlayStop->hide();
  // The control has toggled itself to "stopped" when this arrives.
  connect(m_favoritePlayStop, &ui::Control::touchUpInside, this, [this] { stopFavorite(); });

  // 2. The alarm modes.
  m_bgSecurity = makeCard(content);
  m_bgSecurity->setGeometry(withShadow(kSecurityCard));
  makeLabel(content, QRect(kTextX, 94, 270, 20), "Valdo-Bold", 15, kSectionTitleColor)
      ->setText(foundation::localized("MY CURRENT SECURITY"));
  ui::Label* intrusionLbl = makeLabel(content, QRect(kTextX, 118, 68, 64), "Valdo-Bold", 12, kItemColor, 3);
  intrusionLbl->setText(foundation::localized("My security intrusion"));
  m_sliderAlarm = new CustomSliderText(QPoint(kCardX + kCardWidth - 3 * CustomSliderText::kSectionWidth - 6, 116), 3, 0,
                                       QStringLiteral("blue"), content);
  intrusionLbl->setBuddy(m_sliderAlarm);
  m_sliderAlarm->setTextWithIndex(foundation::localized("MODE ETEINT"), 0);
  m_sliderAlarm->setTextWithIndex(foundation::localized("MODE PARTIEL"), 1);
  m_sliderAlarm->setTextWithIndex(foundation::localized("MODE TOTAL"), 2);
  for (int k = 0; k < 3; ++k) {
    CustomButton* button = m_sliderAlarm->button(k);
    connect(button, &ui::Control::touchUpInside, this, [this] { changeAlarmMode(); });
    // The selector moved as the finger landed; a touch that ends elsewhere chose nothing.
    connect(button, &ui::Control::touchUpOutside, this, [this] { showModes(); });
    connect(button, &ui::Control::touchCancel, this, [this] { showModes(); });
  }
  makeLine(content, QRect(kTextX, 192, kCardWidth - 2 * (kTextX - kCardX), 1));
  ui::Label* domesticLbl = makeLabel(content, QRect(kTextX, 194, 185, 44), "Valdo-Bold", 12, kItemColor, 2);
  domesticLbl->setText(foundation::localized("Ma sécurité domestique"));
  m_switchDomestic = new CustomSwitch(QPoint(kRowControlX + 2, 200), false, QStringLiteral("blue"), content);
  domesticLbl->setBuddy(m_switchDomestic);
  connect(m_switchDomestic, &ui::Control::valueChanged, this, [this] { changeDomesticMode(); });
  makeLine(content, QRect(kTextX, 239, kCardWidth - 2 * (kTextX - kCardX), 1));
  ui::Label* homeHelpLbl = makeLabel(content, QRect(kTextX, 240, 185, 44), "Valdo-Bold", 12, kItemColor, 2);
  homeHelpLbl->setText(foundation::localized("My home help"));
  m_switchHomehelp = new CustomSwitch(QPoint(kRowControlX + 2, 246), false, QStringLiteral("blue"), content);
  homeHelpLbl->setBuddy(m_switchHomehelp);
  connect(m_switchHomehelp, &ui::Control::valueChanged, this, [this] { changeAssistanceMode(); });

  // 3. The scenarios being played.
  m_bgScenario = makeCard(content);
  m_lblTitleScenarios = makeLabel(content, QRect(kTextX, kScenarioTitleY, 270, 20), "Valdo-Bold", 15, kSectionTitleColor);
  m_lblTitleScenarios->setText(foundation::localized("MY CURRENT SCENARIOS"));
  m_listScenarios = std::make_unique<ScenarioTableViewController>(QStringLiteral("PLAYED"));
  ui::TableView* scenarios = m_listScenarios->tableView();
  scenarios->setParent(content);
  scenarios->setGeometry(kCardX, kScenarioListY, kCardWidth, kListRowHeight);
  scenarios->show();

  // 4. The devices that are on.
  m_bgSensor = makeCard(content);
  m_lblTitleSensors = makeLabel(content, QRect(kTextX, 0, 270, 20), "Valdo-Bold", 15, kSectionTitleColor, 2);
  m_lblTitleSensors->setText(foundation::localized("MY EQUIPMENT ON"));
  m_listSensors = std::make_unique<AllActiveSensorsTableView>();
  ui::TableView* sensors = m_listSensors->tableView();
  sensors->setParent(content);
  sensors->setGeometry(kCardX, 0, kCardWidth, kListRowHeight * std::max<int>(1, int(m_listSensors->sensors().size())));
  sensors->show();

  // Either list changes its rows after a command of its own: the sections follow.
  connect(m_listScenarios.get(), &ScenarioTableViewController::contentChanged, this,
          &MyHomeController::adjustScenarioBgAndContentHeight);
  connect(m_listSensors.get(), &AllActiveSensorsTableView::contentChanged, this,
          &MyHomeController::adjustScenarioBgAndContentHeight);
  adjustScenarioBgAndContentHeight();
}

void MyHomeController::adjustScenarioBgAndContentHeight() {
  if (!m_listScenarios || !m_listSensors || !m_scrollView) return;
  // Scenarios: 50 per row, one row for the empty text; the card ends just below the list.
  const int scenarioRows = std::max<int>(1, int(m_listScenarios->scenarios().size()));
  const int scenarioHeight = kListRowHeight * scenarioRows;
  m_listScenarios->tableView()->setGeometry(kCardX, kScenarioListY, kCardWidth, scenarioHeight);
  m_bgScenarioFrame = QRect(kCardX, kScenarioCardTop, kCardWidth, kScenarioListY + scenarioHeight + 1 - kScenarioCardTop);
  m_bgScenario->setGeometry(withShadow(m_bgScenarioFrame));

  // Devices: below the scenarios; the list as high as its rows, the card ending with it.
  const int c = m_bgScenarioFrame.bottom() + 1;
  const bool devices = !m_listSensors->sensors().empty();
  const int sensorHeight = devices ? m_listSensors->contentHeight() : kListRowHeight;
  m_lblTitleSensors->move(kTextX, c + 15);
  m_listSensors->tableView()->setGeometry(kCardX, c + 35, kCardWidth, sensorHeight);
  m_bgSensorFrame = QRect(kCardX, c + 8, kCardWidth, devices ? 27 + sensorHeight : 78);
  m_bgSensor->setGeometry(withShadow(m_bgSensorFrame));

  m_scrollView->setContentSize(QSize(320, m_bgSensorFrame.bottom() + 1 + kBottomMargin));
}

// ---------------------------------------------------------------------------------------------
// Layout and the strip's coming and going

bool MyHomeController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) layoutView();
  return ui::Screen::eventFilter(watched, event);
}

int MyHomeController::contentTop() const {
  return m_videoPageControlIsVisible ? kHeaderHeight + kStripHeight : kHeaderHeight + kCameraTabHeight;
}

void MyHomeController::layoutView() {
  QWidget* root = view();
  m_header->setGeometry(0, 0, 320, kHeaderHeight);
  m_btnReturnToCamera->setGeometry(0, kHeaderHeight, 320, kCameraTabHeight);
  m_scrollView->setGeometry(0, contentTop(), 320, root->height() - contentTop());
  m_header->raise();
  m_title->raise();
}

void MyHomeController::scrollViewDidScroll(ui::ScrollView* scrollView) {
  const double y = scrollView->contentOffset().y();
  if (m_videoPageControlIsVisible && y > 0) {
    hideVideoPageControl();
  } else if (!m_videoPageControlIsVisible && y < 0) {
    seeVideoPageControl();
  }
}

void MyHomeController::hideVideoPageControl() {
  if (!m_videoPageControlIsVisible) return;
  m_videoPageControlIsVisible = false;
  QWidget* root = view();
  if (m_videoPageControl)
    ui::Animation::moveTo(m_videoPageControl, QPoint(0, kHeaderHeight - kStripHeight), kHideStripSeconds,
                          [strip = QPointer<CustomPageControl>(m_videoPageControl)](bool finished) {
                            if (finished && strip) strip->hide();
                          });
  m_btnReturnToCamera->show();
  m_btnReturnToCamera->raise();
  m_header->raise();
  m_title->raise();
  ui::Animation::setFrame(m_scrollView, QRect(0, contentTop(), 320, root->height() - contentTop()), kHideStripSeconds);
}

void MyHomeController::seeVideoPageControl() {
  if (m_videoPageControlIsVisible) return;
  m_videoPageControlIsVisible = true;
  QWidget* root = view();
  if (m_videoPageControl) {
    m_videoPageControl->show();
    ui::Animation::moveTo(m_videoPageControl, QPoint(0, kHeaderHeight), kShowStripSeconds);
  }
  m_btnReturnToCamera->hide();
  ui::Animation::setFrame(m_scrollView, QRect(0, contentTop(), 320, root->height() - contentTop()), kShowStripSeconds,
                          [this, guard = QPointer<ui::ScrollView>(m_scrollView)](bool) {
                            if (guard) adjustScenarioBgAndContentHeight();
                          });
}

// ---------------------------------------------------------------------------------------------
// Alarm modes

void MyHomeController::refreshModes() {
  m_modes.clear();
  m_confirmedModes.clear();
  if (const auto& dashboard = BESessionManager::getInstance().dashboard()) {
    m_modes = dashboard->modes;
    for (const auto& mode : m_modes)
      if (mode && mode->subCategory) m_confirmedModes.insert(text(mode->subCategory), text(mode->mode));
  }
  showModes();
}

QString MyHomeController::shownMode(const QString& domain) const {
  QString mode = m_confirmedModes.value(domain);
  for (const PendingMode& pending : m_pendingModes)
    if (pending.domain == domain) mode = pending.mode;
  return mode;
}

void MyHomeController::showModes() {
  if (!m_sliderAlarm) return;
  if (m_confirmedModes.contains(QStringLiteral("INTRUSION"))) {
    // A mode outside the three leaves the selector as it is.
    const int position = intrusionPosition(shownMode(QStringLiteral("INTRUSION")));
    if (position >= 0 && position != m_sliderAlarm->selectedSection()) m_sliderAlarm->setSelected(position);
  }
  if (m_confirmedModes.contains(QStringLiteral("DOMESTIC")))
    m_switchDomestic->setOnAnimated(shownMode(QStringLiteral("DOMESTIC")) == QLatin1String("ON"), true);
  if (m_confirmedModes.contains(QStringLiteral("ASSISTANCE")))
    m_switchHomehelp->setOnAnimated(shownMode(QStringLiteral("ASSISTANCE")) == QLatin1String("ON"), true);
}

void MyHomeController::changeAlarmMode() {
  static const char* const modes[] = {"OFF", "PRESENCE", "ON"};
  const int section = m_sliderAlarm->selectedSection();
  if (section < 0 || section > 2) return;
  sendMode(QStringLiteral("INTRUSION"), QString::fromLatin1(modes[section]));
}

void MyHomeController::changeDomesticMode() {
  sendMode(QStringLiteral("DOMESTIC"), m_switchDomestic->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void MyHomeController::changeAssistanceMode() {
  sendMode(QStringLiteral("ASSISTANCE"), m_switchHomehelp->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void MyHomeController::sendMode(const QString& domain, const QString& mode) {
  const std::uint64_t ticket = m_nextTicket++;
  m_pendingModes.push_back({ticket, domain, mode});
  m_calls.call([&] { BEServiceMode::getInstance().putModeForSubCategory(mode, domain); },
               [this, ticket] { finishModeCommand(ticket, true); }, [this, ticket] { finishModeCommand(ticket, false); });
}

void MyHomeController::finishModeCommand(std::uint64_t ticket, bool confirmed) {
  const auto it = std::find_if(m_pendingModes.begin(), m_pendingModes.end(),
                               [&](const PendingMode& p) { return p.ticket == ticket; });
  if (it == m_pendingModes.end()) return;
  const PendingMode done = *it;
  m_pendingModes.erase(it);
  if (confirmed) {
    m_confirmedModes.insert(done.domain, done.mode);
    // The stored dashboard says so too, so the next look at it agrees.
    for (const auto& mode : m_modes)
      if (mode && text(mode->subCategory) == done.domain) mode->mode = done.mode.toStdString();
  }
  showModes();
}

// ---------------------------------------------------------------------------------------------
// The favorite

void MyHomeController::refreshFavorite() {
  m_favorites.clear();
  if (const auto& dashboard = BESessionManager::getInstance().dashboard()) {
    for (const auto& favorite : dashboard->favorites) {
      if (favorite && favorite->status && *favorite->status == "1" &&
          !m_stoppingFavorites.contains(text(favorite->identifier))) {
        m_favorites.push_back(favorite);
        break;
      }
    }
  }
  if (!m_favoriteNameLbl) return;
  if (m_favorites.size() == 1) {
    const VOFavorite& favorite = *m_favorites.front();
    m_favoriteNameLbl->setText(text(favorite.name));
    m_favoritePlayStop->setIdentifier(text(favorite.identifier));
    m_favoritePlayStop->setEnabled(!text(favorite.identifier).isEmpty());
    m_favoritePlayStop->setPlayStopSelected(true);
    m_favoriteVLine->show();
    m_favoritePlayStop->show();
  } else {
    m_favoriteNameLbl->setText(foundation::localized("No current favorite."));
    m_favoriteVLine->hide();
    m_favoritePlayStop->hide();
  }
}

void MyHomeController::stopFavorite() {
  const QString identifier = m_favoritePlayStop->identifier();
  if (identifier.isEmpty()) return;
  m_stoppingFavorites << identifier;
  m_calls.call([&] { BEServiceFavorite::getInstance().putStopWithId(identifier); },
               [this, identifier] { finishFavoriteStop(identifier, true); },
               [this, identifier] { finishFavoriteStop(identifier, false); });
  refreshFavorite();
}

void MyHomeController::finishFavoriteStop(const QString& identifier, bool confirmed) {
  m_stoppingFavorites.removeOne(identifier);
  if (confirmed) {
    if (const auto& dashboard = BESessionManager::getInstance().dashboard()) {
      for (const auto& favorite : dashboard->favorites)
        if (favorite && text(favorite->identifier) == identifier) favorite->status = std::string("0");
    }
  }
  refreshFavorite();
}

// ---------------------------------------------------------------------------------------------
// The image cycle

ui::ImageView* MyHomeController::cameraImageView(int index) const {
  if (!m_videoPageControl || index < 0 || index >= int(m_cameraSensors.size())) return nullptr;
  return ui::viewWithTag<ui::ImageView>(m_videoPageControl->scrollView(), kImageTagBase + index);
}

void MyHomeController::startImageCycle() {
  if (m_cycleRunning || m_cameraSensors.empty()) return;
  m_cycleRunning = true;
  m_imageCalls.call([] { BEServiceCamera::getInstance().putStartImageSessionWithId(QStringLiteral("0")); },
                    [this] {
                      const int n = std::max<int>(1, int(m_cameraSensors.size()));
                      // 1 camera: 5 s, 2: 2 s, 3 to 5: 1 s, 6 and more: at once. Each camera is
                      // still asked at most once in 5 s: every later image waits 5 s.
                      scheduleNextImage(double(int(kImageIntervalSeconds) / n));
                    },
                    // Without an image session there are no images to ask for.
                    [this] { m_cycleRunning = false; });
}

void MyHomeController::stopImageCycle() {
  m_nsImgTimer.invalidate();
  m_imageCalls.cancelAll();
  m_cycleRunning = false;
}

void MyHomeController::scheduleNextImage(double seconds) {
  m_nsImgTimer.start(seconds, false, [this](foundation::Timer&) { selectCameraToGetImg(); });
}

void MyHomeController::selectCameraToGetImg() {
  const int n = int(m_cameraSensors.size());
  if (n == 0) {
    stopImageCycle();
    return;
  }
  m_lastImgDownloadedIndex = (m_lastImgDownloadedIndex + 1) % n;
  getImageForCamera(m_lastImgDownloadedIndex);
}

void MyHomeController::getImageForCamera(int index) {
  const QString serial = text(m_cameraSensors[size_t(index)]->serial);
  // A camera without a picture yet answers "not found", which counts as success and leaves the
  // stored image as it was: that image belongs to another camera.
  BESessionManager::getInstance().setImageData(std::nullopt);
  m_imageCalls.call([&] { BEServiceCamera::getInstance().getImageWithId(serial); },
                    [this, serial] {
                      const auto& data = BESessionManager::getInstance().imageData();
                      // The strip may have changed meanwhile: the page is found by its camera.
                      for (int i = 0; i < int(m_cameraSensors.size()); ++i) {
                        if (text(m_cameraSensors[size_t(i)]->serial) != serial) continue;
                        if (data && !data->isEmpty())
                          if (ui::ImageView* page = cameraImageView(i)) {
                            const ui::Image image = ui::Image::fromData(*data);
                            if (!image.isNull()) page->setImage(image);
                          }
                      }
                      scheduleNextImage(kImageIntervalSeconds);
                    },
                    // A camera that fails ends the cycle: polling on would raise an alert every 5 s.
                    [this] { m_cycleRunning = false; });
}

// ---------------------------------------------------------------------------------------------
// The tour

std::vector<controls::TourStates::State> MyHomeController::tourStates() {
  auto settle = [this] {
    if (m_videoPageControl) ui::Animation::finish(m_videoPageControl, "frame");
    if (m_scrollView) ui::Animation::finish(m_scrollView, "frame");
  };
  return {
      // The cameras' first pictures come a moment after the dashboard.
      {QStringLiteral("cameras"),
       [this] {
         QElapsedTimer waited;
         waited.start();
         while (waited.elapsed() < 8000 && !(cameraImageView(0) && !cameraImageView(0)->image().isNull()) &&
                !m_cameraSensors.empty() && m_cycleRunning) {
           QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
           QThread::msleep(5);
         }
       }},
      {QStringLiteral("strip-hidden"),
       [this, settle] {
         m_scrollView->setContentOffset(QPointF(0, 1));
         settle();
       }},
      // The scenarios being played and the first devices on.
      {QStringLiteral("scrolled"),
       [this, settle] {
         settle();
         const double top = std::min<double>(m_bgScenarioFrame.top() - 8, m_scrollView->maximumContentOffset().y());
         m_scrollView->setContentOffset(QPointF(0, top));
       }},
  };
}
