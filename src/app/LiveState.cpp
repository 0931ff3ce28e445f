#include "app/LiveState.h"

#include "ui/Accessibility.h"

#include "backend/ServiceReachability.h"
#include "backend/StoredAnswers.h"
#include "foundation/Clock.h"
#include "controls/Refreshable.h"
#include "foundation/Strings.h"
#include "rest/network/NetworkActivity.h"
#include "rest/network/RestNotifications.h"
#include "ui/ActivityIndicatorView.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/ScrollView.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace app {

namespace {
const QColor kBannerBackground(0xc6, 0x28, 0x28);
const QColor kStoredBannerBackground(0x37, 0x47, 0x4f, 235);

ui::Label* makeBanner(QWidget* host, const char* name, const QColor& background) {
  auto* banner = new ui::Label(QRect(0, 0, host->width(), LiveState::kBannerHeight), host);
  banner->setObjectName(QString::fromLatin1(name));
  banner->setTextColor(Qt::white);
  banner->setTextAlignment(Qt::AlignHCenter);
  banner->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 12));
  banner->setAutoFillBackground(true);
  QPalette palette = banner->palette();
  palette.setColor(QPalette::Window, background);
  banner->setPalette(palette);
  banner->hide();
  return banner;
}

// The stored-data notice: a rounded pill floating at the foot of the screen, over the list that
// scrolls rather than over the screen's title (the offline banner, more urgent, takes its strip
// under the bar).
class NoticePill : public ui::Label {
 public:
  NoticePill(QWidget* host, const QColor& background) : ui::Label(QRect(), host), m_background(background) {
    setObjectName(QStringLiteral("storedBanner"));
    setTextColor(Qt::white);
    setTextAlignment(Qt::AlignHCenter);
    setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 12));
    hide();
  }
  static constexpr int kMargin = 8;
  static constexpr int kPadding = 14;

 protected:
  void paintEvent(QPaintEvent* event) override {
    {
      QPainter painter(this);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(m_background);
      painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), height() / 2.0, height() / 2.0);
    }
    ui::Label::paintEvent(event);
  }

 private:
  QColor m_background;
};

// "Données de 06:12 · mise à jour…" today, with the day before that.
QString storedBannerText(const QDateTime& confirmedAt) {
  if (!confirmedAt.isValid()) return foundation::localized("kTradStoredBannerUndated");
  const foundation::Scheduler& clock = foundation::scheduler();
  const QDateTime local = confirmedAt.toTimeZone(clock.timeZone());
  const QString time = local.toString(QStringLiteral("HH:mm"));
  if (local.date() == clock.localNow().date()) return foundation::localized("kTradStoredBannerToday").arg(time);
  const QString day = local.toString(foundation::localized("kTradStoredBannerDayFormat"));
  return foundation::localized("kTradStoredBanner").arg(day, time);
}
}  // namespace

LiveState::LiveState(ui::NavigationController* navigation, double refreshInterval,
                     std::function<void(const QString&)> alert)
    : m_navigation(navigation), m_alert(std::move(alert)), m_refreshInterval(refreshInterval) {
  QWidget* host = navigation->view();
  m_banner = makeBanner(host, "offlineBanner", kBannerBackground);
  // Under the bar, taking its room from the screen: the top of the screen stays in sight.
  navigation->addBanner(m_banner);
  m_storedBanner = new NoticePill(host, kStoredBannerBackground);
  // Read out when it comes: the user learns that commands will be refused.
  ui::setAccessibleRole(m_banner, QAccessible::AlertMessage);
  host->installEventFilter(this);

  auto& reachability = backend::ServiceReachability::getInstance();
  reachability.start();
  m_observations.add(kServiceReachabilityDidChange, [this](const foundation::Notification&) { reachabilityChanged(); });
  m_observations.add(kServiceUnreachableCommandRefused, [this](const foundation::Notification&) {
    if (m_alert) m_alert(foundation::localized("kTradAlertOffline"));
  });
  m_observations.add(kStoredDataDidChange, [this](const foundation::Notification&) { updateStoredBanner(); });
  m_observations.add(rest::RestApplicationWillEnterForegroundNotification,
                     [this](const foundation::Notification&) { refreshTopScreen(); });
  for (const char* name : {rest::RestRequestDidLoadResponseNotification, rest::RestRequestDidFailWithErrorNotification})
    // The request queues count the request as done when they hear the same notification, which
    // may be after this observer: look once the event loop has moved on.
    m_observations.add(name, [this](const foundation::Notification&) {
      if (m_spinner && m_spinner->isAnimating())
        QMetaObject::invokeMethod(this, &LiveState::hideSpinnerWhenIdle, Qt::QueuedConnection);
    });

  connect(navigation, &ui::NavigationController::topViewControllerChanged, this, [this] {
    watchTopScreen();
    updateStoredBanner();
  });
  reachabilityChanged();
}

LiveState::~LiveState() = default;

void LiveState::refreshTopScreen() {
  if (!m_navigation || m_navigation->isTransitioning()) return;
  // Nothing is asked while the service is known to be out of reach: its return refreshes anyway.
  if (!backend::ServiceReachability::getInstance().isServiceReachable()) return;
  auto* refreshable = dynamic_cast<controls::Refreshable*>(m_navigation->topViewController());
  if (!refreshable) return;
  ++m_refreshes;
  refreshable->refresh();
}

void LiveState::reachabilityChanged() {
  const auto& reachability = backend::ServiceReachability::getInstance();
  const bool reachable = reachability.isServiceReachable();
  if (!m_banner) return;
  const bool wasShown = m_banner->isVisible();
  // A refused certificate is no outage that passes: no new attempt is under way.
  m_banner->setText(foundation::localized(reachability.certificateRefused() ? "kTradOfflineBannerCertificate" : "kTradOfflineBanner"));
  m_banner->setVisible(!reachable);
  updateStoredBanner();
  if (!wasShown && !reachable && QAccessible::isActive()) {
    QAccessibleEvent announced(m_banner, QAccessible::Alert);
    QAccessible::updateAccessibility(&announced);
  }
  if (reachable && wasShown) refreshTopScreen();  // what is on show may have changed meanwhile
}

void LiveState::updateStoredBanner() {
  if (!m_storedBanner) return;
  const auto* screen = m_navigation ? dynamic_cast<const controls::Refreshable*>(m_navigation->topViewController()) : nullptr;
  const auto& answers = backend::StoredAnswers::getInstance();
  std::vector<backend::DataSet> stale;
  if (screen)
    for (backend::DataSet set : screen->dataShown())
      if (answers.isFromEarlierRun(set)) stale.push_back(set);
  const bool show = !stale.empty() && !(m_banner && !m_banner->isHidden());
  if (show) m_storedBanner->setText(storedBannerText(answers.oldestFromEarlierRun(stale)));
  m_storedBanner->setVisible(show);
  layoutStoredNotice();
}

void LiveState::layoutStoredNotice() {
  if (!m_navigation) return;
  const int width = m_navigation->view()->width();
  if (m_storedBanner) {
    const int pill = std::min(width - 2 * NoticePill::kMargin,
                              m_storedBanner->fontMetrics().horizontalAdvance(m_storedBanner->text()) + 2 * NoticePill::kPadding);
    const int bottom = m_navigation->view()->height() - 2 * NoticePill::kMargin;
    m_storedBanner->setGeometry((width - pill) / 2, bottom - kBannerHeight, pill, kBannerHeight);
    m_storedBanner->raise();
  }
}

bool LiveState::eventFilter(QObject* watched, QEvent* event) {
  if (m_navigation && watched == m_navigation->view() && event->type() == QEvent::Resize) layoutStoredNotice();
  return QObject::eventFilter(watched, event);
}

void LiveState::setRefreshInterval(double seconds) {
  m_refreshInterval = seconds;
  // The screens below the settings are on top again soon; the one on top now starts afresh.
  watchTopScreen();
}

void LiveState::watchTopScreen() {
  disconnect(m_pullConnection);
  m_watched = m_navigation ? m_navigation->topViewController() : nullptr;
  auto* refreshable = dynamic_cast<controls::Refreshable*>(m_watched.data());
  // The interval counts from the moment a screen comes on top: it has just read its data.
  m_refreshTimer.invalidate();
  if (refreshable && m_refreshInterval > 0)
    m_refreshTimer.start(m_refreshInterval, true, [this](foundation::Timer&) { refreshTopScreen(); });
  ui::ScrollView* list = refreshable ? refreshable->refreshScrollView() : nullptr;
  if (!list) return;
  m_pullConnection = connect(list, &ui::ScrollView::dragReleased, this, &LiveState::pulled);
}

void LiveState::pulled(QPointF offset) {
  if (offset.y() > -kPullDistance || !backend::ServiceReachability::getInstance().isServiceReachable()) return;
  auto* refreshable = dynamic_cast<controls::Refreshable*>(m_watched.data());
  ui::ScrollView* list = refreshable ? refreshable->refreshScrollView() : nullptr;
  if (!list) return;
  if (!m_spinner || m_spinner->parentWidget() != list) {
    delete m_spinner;
    m_spinner = new ui::ActivityIndicatorView(ui::ActivityIndicatorView::Style::Gray, list);
    m_spinner->setObjectName(QStringLiteral("pullToRefreshSpinner"));
  }
  const QSize size = m_spinner->sizeHint();
  m_spinner->setGeometry((list->width() - size.width()) / 2, 8, size.width(), size.height());
  m_spinner->show();
  m_spinner->raise();
  m_spinner->startAnimating();
  m_spinnerLimit.start(kSpinnerLimitSeconds, false, [this](foundation::Timer&) {
    if (!m_spinner) return;
    m_spinner->stopAnimating();
    m_spinner->hide();
  });
  refreshTopScreen();
}

void LiveState::hideSpinnerWhenIdle() {
  if (!m_spinner || !m_spinner->isAnimating() || rest::networkActivityCount() > 0) return;
  m_spinner->stopAnimating();
  m_spinner->hide();
  m_spinnerLimit.invalidate();
}

}  // namespace app
