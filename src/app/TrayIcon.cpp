#include "app/TrayIcon.h"

#include "app/EventAlerts.h"

#include "backend/BENotifications.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BESessionManager.h"
#include "backend/ServiceReachability.h"
#include "foundation/Strings.h"

#include <QAction>
#include <QLabel>
#include <QWidgetAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

namespace app {

namespace {

QString text(const rest::Text& t) { return t ? QString::fromStdString(*t) : QString(); }

// The favorites as the store knows them: their own list, else the dashboard's.
backend::RecordList<VOFavorite> favorites() {
  BESessionManager& store = BESessionManager::getInstance();
  if (!store.favorites().empty() || !store.dashboard()) return store.favorites();
  return store.dashboard()->favorites;
}

bool running(const VOFavorite& favorite) {
  return BESessionManager::getInstance().home().favoriteStatus(text(favorite.identifier), text(favorite.status)) == QLatin1String("1");
}

QIcon withBadge(const QIcon& icon) {
  QPixmap pixmap = icon.pixmap(64, 64);
  if (pixmap.isNull()) pixmap = QPixmap(64, 64), pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 3));
  painter.setBrush(QColor(0xd3, 0x2f, 0x2f));
  painter.drawEllipse(QRectF(36, 2, 26, 26));
  return QIcon(pixmap);
}

// Lined up with the entries' texts below.
const QMargins kStatusMargins(28, 3, 16, 3);

// Commands whose success says the box answered again.
constexpr const char* kBoxAnswered[] = {kSuccessDevicePutStatus, kSuccessModePutMode, kSuccessFavoritePutStart,
                                         kSuccessFavoritePutStop, kSuccessScenarioPut};

}  // namespace

TrayIcon::TrayIcon(EventAlerts& alerts) : m_alerts(alerts) {
  m_plainIcon = QIcon::fromTheme(QStringLiteral("tavrobox"), QIcon(QStringLiteral(":/app/tavrobox.svg")));
  m_badgeIcon = withBadge(m_plainIcon);
  build();
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    m_icon = std::make_unique<QSystemTrayIcon>(m_plainIcon);
    m_icon->setContextMenu(m_menu.get());
    // A click on the icon itself brings the window up.
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) m_alerts.showWindow();
    });
    m_icon->show();
  }

  backend::Home& home = BESessionManager::getInstance().home();
  for (auto changed : {&backend::Home::modesChanged, &backend::Home::favoritesChanged, &backend::Home::dashboardChanged,
                       &backend::Home::cleared})
    connect(&home, changed, this, &TrayIcon::update);
  connect(&home, &backend::Home::modeChanged, this, &TrayIcon::update);
  connect(&alerts.notifier(), &DesktopNotifier::availabilityChanged, this, &TrayIcon::update);
  m_observations.add(kServiceReachabilityDidChange, [this](const foundation::Notification&) { update(); });
  m_observations.add(kNotification600GatewayOff, [this](const foundation::Notification&) {
    m_gatewayOff = true;
    update();
  });
  for (const char* name : kBoxAnswered)
    m_observations.add(name, [this](const foundation::Notification&) {
      if (!std::exchange(m_gatewayOff, false)) return;
      update();
    });
  update();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::build() {
  m_menu = std::make_unique<QMenu>();
  m_menu->setObjectName(QStringLiteral("trayMenu"));
  // The status reads as text, not as greyed-out entries, and offers nothing to click.
  for (QLabel** line : {&m_intrusion, &m_box, &m_running}) {
    auto* action = new QWidgetAction(m_menu.get());
    *line = new QLabel();
    (*line)->setContentsMargins(kStatusMargins);
    action->setDefaultWidget(*line);
    m_menu->addAction(action);
  }
  m_menu->addSeparator();
  const std::pair<const char*, const char*> screens[] = {{"kTradTrayOpenHome", EventAlerts::kHomeScreen},
                                                         {"kTradTrayOpenHistory", EventAlerts::kHistoryScreen},
                                                         {"kTradTrayOpenSupervision", EventAlerts::kSupervisionScreen}};
  for (const auto& [key, screen] : screens)
    connect(m_menu->addAction(foundation::localized(key)), &QAction::triggered, this,
            [this, name = QString::fromLatin1(screen)] { m_alerts.showWindow(name); });
  m_favorites = m_menu->addMenu(foundation::localized("kTradTrayStartFavorite"));
  m_menu->addSeparator();
  connect(m_menu->addAction(foundation::localized("kTradTrayQuit")), &QAction::triggered, this, [this] { m_alerts.quit(); });
  // The favorites are read when the menu opens: they change more often than the menu is shown.
  connect(m_menu.get(), &QMenu::aboutToShow, this, &TrayIcon::update);
}

QString TrayIcon::intrusionLine() const {
  const QString mode = BESessionManager::getInstance().home().mode(QStringLiteral("INTRUSION"));
  const char* key = mode == QLatin1String("ON")         ? "kTradTrayIntrusionTotal"
                    : mode == QLatin1String("PRESENCE") ? "kTradTrayIntrusionPartial"
                    : mode == QLatin1String("OFF")      ? "kTradTrayIntrusionOff"
                                                        : "kTradTrayIntrusionUnknown";
  return foundation::localized(key);
}

QString TrayIcon::boxLine() const {
  if (!backend::ServiceReachability::getInstance().isServiceReachable()) return foundation::localized("kTradTrayServiceUnreachable");
  return foundation::localized(m_gatewayOff ? "kTradTrayBoxOffline" : "kTradTrayBoxOnline");
}

QString TrayIcon::favoriteLine() const {
  for (const auto& favorite : favorites())
    if (favorite && running(*favorite)) return foundation::localized("kTradTrayFavoriteRunning").arg(text(favorite->name));
  return foundation::localized("kTradTrayNoFavorite");
}

void TrayIcon::fillFavorites() {
  m_favorites->clear();
  for (const auto& favorite : favorites()) {
    if (!favorite || running(*favorite)) continue;
    connect(m_favorites->addAction(text(favorite->name)), &QAction::triggered, this, [id = text(favorite->identifier)] {
      // The home shows it running at once; a refusal puts it back and raises the usual alert.
      (void)BEServiceFavorite::getInstance().putStartWithId(id);
    });
  }
  m_favorites->setEnabled(!m_favorites->isEmpty());
}

void TrayIcon::update() {
  m_intrusion->setText(intrusionLine());
  m_box->setText(boxLine());
  m_running->setText(favoriteLine());
  fillFavorites();
  m_badge = !m_alerts.notifier().isAvailable();
  QStringList tip{QStringLiteral("TavroBox"), intrusionLine(), boxLine(), favoriteLine()};
  if (m_badge) tip << foundation::localized("kTradTrayNoNotifications");
  m_toolTip = tip.join(QLatin1Char('\n'));
  if (!m_icon) return;
  m_icon->setToolTip(m_toolTip);
  m_icon->setIcon(m_badge ? m_badgeIcon : m_plainIcon);
}

}  // namespace app
