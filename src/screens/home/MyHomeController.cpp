#include "screens/home/MyHomeController.h"

#include "screens/home/AllActiveSensorsTableView.h"
#include "screens/scenarios/ScenarioTableViewController.h"

#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceFavorite.h"
#include "controls/camera/CustomPageControl.h"
#include "controls/alarm/AlarmModes.h"
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
const QColor kSectionTitleColor(0x16, 0x71, 0xad);
const QColor kItemColor(0x1d, 0x26, 0x33);
const QColor kLineColor(0xdd, 0xe1, 0xe6);

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

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

}  // namespace

MyHomeController::MyHomeController(QObject* parent) : ui::Screen(parent) {}

MyHomeController::~MyHomeController() {
  // Nothing of the image cycle may reach a screen that goes; the lists go before the rows they
  // hold in our view.
  m_strip.stop();
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
  updateStrip();
  refreshFavorite();
  root->installEventFilter(this);
  layoutView();

  // The store tells what changed: a dashboard filed (whoever asked for it), a favorite started or
  // stopped on any screen. The modes and the lists follow the home by themselves.
  backend::Home& home = BESessionManager::getInstance().home();
  connect(&home, &backend::Home::dashboardChanged, this, &MyHomeController::onGetDashBoard);
  connect(&home, &backend::Home::favoritesChanged, this, &MyHomeController::refreshFavorite);
  fetchDashboard();
}

void MyHomeController::fetchDashboard() {
  // With a dashboard already at hand the screen is usable at once: no overlay in the way.
  const bool haveOne = BESessionManager::getInstance().dashboard() != nullptr;
  // The answer reaches the screen through the store's signal.
  m_calls.call(BEServiceDashboard::getInstance().getDashboard(), [this] { ++m_dashboardAnswers; },
               [this] {
                 ++m_dashboardAnswers;
                 onGetDashBoardError();
               },
               haveOne ? backend::ServiceCalls::Overlay::None : backend::ServiceCalls::Overlay::Show);
}

void MyHomeController::refresh() {
  if (isViewLoaded()) m_calls.refresh(BEServiceDashboard::getInstance().getDashboard(), [this] { ++m_dashboardAnswers; });
}

void MyHomeController::onGetDashBoard() {
  if (!isViewLoaded()) return;
  updateStrip();
  refreshFavorite();
  m_listScenarios->refreshData();
  m_listSensors->refreshData();
  adjustScenarioBgAndContentHeight();
}

void MyHomeController::updateStrip() {
  const QRect frame(0, m_videoPageControlIsVisible ? kHeaderHeight : kHeaderHeight - kStripHeight, 320, kStripHeight);
  m_strip.update(view(), frame, m_videoPageControlIsVisible, m_header);
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
  makeLine(content, QRect(kTextX, 192, kCardWidth - 2 * (kTextX - kCardX), 1));
  ui::Label* domesticLbl = makeLabel(content, QRect(kTextX, 194, 185, 44), "Valdo-Bold", 12, kItemColor, 2);
  domesticLbl->setText(foundation::localized("Ma sécurité domestique"));
  m_switchDomestic = new CustomSwitch(QPoint(kRowControlX + 2, 200), false, QStringLiteral("blue"), content);
  domesticLbl->setBuddy(m_switchDomestic);
  makeLine(content, QRect(kTextX, 239, kCardWidth - 2 * (kTextX - kCardX), 1));
  ui::Label* homeHelpLbl = makeLabel(content, QRect(kTextX, 240, 185, 44), "Valdo-Bold", 12, kItemColor, 2);
  homeHelpLbl->setText(foundation::localized("My home help"));
  m_switchHomehelp = new CustomSwitch(QPoint(kRowControlX + 2, 246), false, QStringLiteral("blue"), content);
  homeHelpLbl->setBuddy(m_switchHomehelp);
  // The three domains show what the home shows, and send what the user sets.
  m_alarmModes = new controls::AlarmModes(m_sliderAlarm, m_switchDomestic, m_switchHomehelp, this);

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
  if (CustomPageControl* strip = m_strip.pageControl())
    ui::Animation::moveTo(strip, QPoint(0, kHeaderHeight - kStripHeight), kHideStripSeconds,
                          [strip = QPointer<CustomPageControl>(strip)](bool finished) {
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
  if (CustomPageControl* strip = m_strip.pageControl()) {
    strip->show();
    ui::Animation::moveTo(strip, QPoint(0, kHeaderHeight), kShowStripSeconds);
  }
  m_btnReturnToCamera->hide();
  ui::Animation::setFrame(m_scrollView, QRect(0, contentTop(), 320, root->height() - contentTop()), kShowStripSeconds,
                          [this, guard = QPointer<ui::ScrollView>(m_scrollView)](bool) {
                            if (guard) adjustScenarioBgAndContentHeight();
                          });
}

// ---------------------------------------------------------------------------------------------
// The favorite

void MyHomeController::refreshFavorite() {
  m_favorites.clear();
  if (const auto& dashboard = BESessionManager::getInstance().dashboard()) {
    const backend::Home& home = BESessionManager::getInstance().home();
    for (const auto& favorite : dashboard->favorites) {
      if (favorite && favorite->status && *favorite->status == "1" &&
          home.favoriteStatus(text(favorite->identifier), text(favorite->status)) == QLatin1String("1")) {
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
  // The home shows it stopped at once, and running again if the stop is refused.
  if (!identifier.isEmpty()) m_calls.call(BEServiceFavorite::getInstance().putStopWithId(identifier), {}, {});
}

// ---------------------------------------------------------------------------------------------
// The tour

std::vector<controls::TourStates::State> MyHomeController::tourStates() {
  auto settle = [this] {
    if (m_strip.pageControl()) ui::Animation::finish(m_strip.pageControl(), "frame");
    if (m_scrollView) ui::Animation::finish(m_scrollView, "frame");
  };
  return {
      // The cameras' first pictures come a moment after the dashboard.
      {QStringLiteral("cameras"),
       [this] {
         QElapsedTimer waited;
         waited.start();
         while (waited.elapsed() < 8000 && !(cameraImageView(0) && !cameraImageView(0)->image().isNull()) &&
                !m_strip.cameras().empty() && m_strip.cycle().isRunning()) {
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
