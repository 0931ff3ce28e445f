#include "screens/weather/MyWeatherController.h"

#include "backend/BEServiceDevice.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"
#include "backend/ProgressOverlay.h"
#include "backend/records/WeatherRecords.h"
#include "controls/weather/CustomPageControl2.h"
#include "controls/weather/MenuComponent.h"
#include "controls/weather/WeatherModel.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/PageIndicator.h"
#include "ui/ScrollView.h"
#include "ui/Views.h"

namespace {

const QColor kBackground(0x13, 0x1c, 0x2a);
constexpr const char* kStationKind = "USB_WEATHER_VYR";
constexpr int kMessageTop = 150;
constexpr int kNotFound = 404;

struct Period {
  const char* name;
  int sheet;
  std::shared_ptr<VOWeather> (*stored)();
};

const Period kPeriods[] = {
    {"day", 0, [] { return BESessionManager::getInstance().weatherDayAverage(); }},
    {"yesterday", 0, [] { return BESessionManager::getInstance().weatherYesterdayAverage(); }},
    {"week", 0, [] { return BESessionManager::getInstance().weatherWeekAverage(); }},
    {"month", 0, [] { return BESessionManager::getInstance().weatherMonthAverage(); }},
    {"previousMonth", 1, [] { return BESessionManager::getInstance().weatherPreviousMonthAverage(); }},
    {"year", 1, [] { return BESessionManager::getInstance().weatherYearAverage(); }},
    {"previousYear", 1, [] { return BESessionManager::getInstance().weatherPreviousYearAverage(); }},
};

const Period& periodNamed(const QString& name) {
  for (const Period& p : kPeriods)
    if (name == QLatin1String(p.name)) return p;
  return kPeriods[0];
}

}  // namespace

MyWeatherController::MyWeatherController() = default;

MyWeatherController::~MyWeatherController() {
  m_calls.cancelAll();
  m_wait.invalidate();
  if (m_pages) m_pages->disconnect(this);
  setOverlay(false);
}

void MyWeatherController::viewDidLoad() {
  QWidget* root = view();
  root->setObjectName(QStringLiteral("MyWeatherController"));
  ui::setBackgroundColor(root, kBackground);

  m_header = new ui::ImageView(QRect(0, 0, root->width(), kHeaderHeight), root);
  m_header->setImageName(QStringLiteral("weather_top.png"));
  m_title = new ui::Label(QRect(74, 0, root->width() - 84, kHeaderHeight - 2), root);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 22));
  m_title->setTextColor(Qt::white);
  m_title->setText(foundation::localized("WEATHER"));

  m_message = new ui::Label(QRect(20, kMessageTop, root->width() - 40, 60), root);
  m_message->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 16));
  m_message->setTextColor(QColor(0xc3, 0xce, 0xde));
  m_message->setTextAlignment(Qt::AlignHCenter);
  m_message->setNumberOfLines(3);
  m_message->hide();
  m_retry = new ui::Button(QRect((root->width() - 140) / 2, kMessageTop + 72, 140, 36), root);
  m_retry->setBackgroundImageName(QStringLiteral("weather_btn_model_1.png"));
  m_retry->setTitle(foundation::localized("WeatherRetry"));
  m_retry->setTitleColor(Qt::white);
  m_retry->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 14));
  m_retry->hide();
  connect(m_retry, &ui::Control::touchUpInside, this, [this] { checkStation(); });

  checkStation();
}

void MyWeatherController::checkStation() {
  m_phase = Phase::CheckingStation;
  m_message->hide();
  m_retry->hide();
  setOverlay(true);
  m_calls.callWithStatus(BEServiceDevice::getInstance().getDeviceExist(QString::fromLatin1(kStationKind)),
                         [this] { startInitWeatherComponents(); },
                         [this](int status) {
                           setOverlay(false);
                           // Only the service's "not found" says there is no station; anything
                           // else (no network, a server or gateway failure) says nothing about it.
                           if (status == kNotFound) {
                             m_phase = Phase::NoStation;
                             showMessage(foundation::localized("You don't have weather station."), false);
                           } else {
                             m_phase = Phase::CheckFailed;
                             showMessage(foundation::localized("WeatherReadFailed"), true);
                           }
                         });
}

void MyWeatherController::showMessage(const QString& text, bool offerRetry) {
  m_message->setText(text);
  m_message->show();
  m_message->raise();
  m_retry->setVisible(offerRetry);
  m_retry->raise();
}

void MyWeatherController::setOverlay(bool shown) {
  if (shown == m_overlayShown) return;
  m_overlayShown = shown;
  if (const auto& hud = BESessionManager::getInstance().uiHUD()) shown ? hud->show(true) : hud->hide(true);
}

void MyWeatherController::startInitWeatherComponents() {
  if (m_pages) return;  // built once
  QWidget* root = view();
  m_phase = Phase::Reading;
  m_selectedPage = 0;
  m_pages = new CustomPageControl2(QRect(0, kHeaderHeight, root->width(), root->height() - kHeaderHeight), kPages,
                                   ui::rgb(0.369, 0.384, 0.404), root);
  connect(m_pages, &CustomPageControl2::pageChanged, this, [this] { onChangePage(); });
  const int sheetHeight = m_pages->height() - CustomPageControl2::kIndicatorHeight - CustomPageControl2::kMenuHeight;
  for (int i = 0; i < kPages; ++i) {
    auto* sheet = new ui::ScrollView(QRect(0, 0, root->width(), sheetHeight), nullptr);
    sheet->setContentSize(QSize(root->width(), WeatherModel::kContentHeight));
    ui::setBackgroundColor(sheet, kBackground);
    m_models[size_t(i)] = new WeatherModel(QRect(0, 0, root->width(), WeatherModel::kContentHeight), sheet->contentView());
    m_sheets[size_t(i)] = sheet;
    m_pages->loadScrollViewWithPage(i, sheet);
  }

  m_menu = new MenuComponent();
  using Action = void (MyWeatherController::*)();
  const Action actions[] = {&MyWeatherController::seeDay,    &MyWeatherController::seeYesterday,
                            &MyWeatherController::seeWeek,   &MyWeatherController::seeMonth,
                            &MyWeatherController::seePMonth, &MyWeatherController::seeYear,
                            &MyWeatherController::seePYear};
  for (int i = 0; i < 7; ++i)
    connect(m_menu->button(i), &ui::Control::touchDown, this, [this, action = actions[i]] { (this->*action)(); });
  m_pages->addMenu(m_menu);
  m_pages->show();
  m_shownPeriod = {QStringLiteral("day"), QStringLiteral("previousMonth")};

  // What is known shows at once; what the service files later is drawn in place.
  connect(&BESessionManager::getInstance().home(), &backend::Home::weatherChanged, this, &MyWeatherController::showStored);
  showStored();
  if (BESessionManager::getInstance().weatherDayAverage()) {
    m_phase = Phase::Showing;
    setOverlay(false);
  } else {
    seeDay();  // the service's last figures; the overlay stays until they are in
  }
  // A fresh reading of the station, whose figures replace them five seconds later.
  m_calls.call(BEServiceWeather::getInstance().getRefresh(),
               [this] { m_wait = foundation::Timer::singleShot(kWaitSeconds, [this] { seeDay(); }); },
               [this] { seeDay(); });
}

void MyWeatherController::query(const char* periodName, bool background) {
  if (!m_pages) return;
  const Period& period = periodNamed(QString::fromLatin1(periodName));
  const QString name = QString::fromLatin1(period.name);
  m_shownPeriod[size_t(period.sheet)] = name;
  const bool isDay = name == QLatin1String("day");
  if (name == QLatin1String("previousMonth")) m_previousMonthAsked = true;
  auto done = [this, &period, name, isDay](bool ok) {
    if (m_shownPeriod[size_t(period.sheet)] == name) showValues(period.sheet, ok ? period.stored().get() : nullptr);
    if (isDay && m_phase == Phase::Reading) {
      m_phase = Phase::Showing;
      setOverlay(false);
    }
  };
  auto reply = BEServiceWeather::getInstance().getPeriodValues(name);
  if (background) reply->setBackground();
  m_calls.call(reply, [done] { done(true); },
               [done] { done(false); });
}

void MyWeatherController::refresh() {
  if (m_phase != Phase::Showing) return;
  for (const QString& name : m_shownPeriod)
    if (!name.isEmpty()) query(name.toLatin1().constData(), true);
}

void MyWeatherController::showValues(int sheet, const VOWeather* values) {
  if (WeatherModel* model = modelScreenPage(sheet)) model->changeWeatherValues(values);
}

void MyWeatherController::showStored() {
  for (std::size_t sheet = 0; sheet < m_shownPeriod.size(); ++sheet) {
    if (m_shownPeriod[sheet].isEmpty()) continue;
    if (const auto values = periodNamed(m_shownPeriod[sheet]).stored()) showValues(int(sheet), values.get());
  }
}

void MyWeatherController::onChangePage() {
  if (!m_pages) return;
  const int page = m_pages->currentPage();
  if (page == m_selectedPage) return;
  m_selectedPage = page;
  // The first look past the first sheet asks for last month (what is stored shows meanwhile).
  if (!m_previousMonthAsked) seePMonth();
}

ui::ScrollView* MyWeatherController::scrollViewPage(int sheet) const {
  return sheet >= 0 && sheet < kPages ? m_sheets[size_t(sheet)] : nullptr;
}

WeatherModel* MyWeatherController::modelScreenPage(int sheet) const {
  return sheet >= 0 && sheet < kPages ? m_models[size_t(sheet)] : nullptr;
}

std::vector<controls::TourStates::State> MyWeatherController::tourStates() {
  if (!m_pages) return {};
  auto showPage = [this](int page) {
    m_pages->pageControl()->setCurrentPage(page);
    m_pages->changePage();
  };
  return {
      {QStringLiteral("wind"), [this] { m_sheets[0]->setContentOffset(QPointF(0, WeatherModel::kWindTop)); }},
      {QStringLiteral("sheet2"), [showPage] { showPage(1); }},
      {QStringLiteral("sheet3"), [showPage] { showPage(2); }},
  };
}
