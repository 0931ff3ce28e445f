#include "app/EventAlerts.h"

#include "app/AlarmBanner.h"
#include "backend/BackgroundPreferences.h"
#include "app/RootViewController.h"
#include "app/SingleInstance.h"
#include "app/TavroBoxAppAppDelegate.h"
#include "app/TrayIcon.h"
#include "controls/UISessionManager.h"
#include "screens/supervision/MySupervisionController.h"

#include "backend/BENotifications.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceLogin.h"
#include "backend/BESessionManager.h"
#include "backend/SignInGate.h"
#include "foundation/Preferences.h"
#include "foundation/RememberedSignIn.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>

namespace app {

namespace {
const QString kHistoryContext = QStringLiteral("history");
const QString kCameraContext = QStringLiteral("camera:");
const QString kSignInContext = QStringLiteral("signin");

DesktopNotifier::Urgency urgencyOf(history::Urgency u) {
  return u == history::Urgency::Critical ? DesktopNotifier::Urgency::Critical : DesktopNotifier::Urgency::Normal;
}
QString categoryOf(history::Urgency u) {
  return u == history::Urgency::Critical ? QStringLiteral("device.error") : QStringLiteral("device");
}
}  // namespace

EventAlerts::EventAlerts(TavroBoxAppAppDelegate& app, const foundation::Configuration& configuration, QDBusConnection bus)
    : m_app(app), m_configuration(configuration), m_quit([] { QCoreApplication::quit(); }),
      m_watcher(configuration.watchInterval) {
  // The window closed to the tray is not the end of the app: quitting is decided here.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  backend::background::setLaunchConfiguration(configuration.sourcePath);
  // Without a tray nothing would show that the app still runs: the user turns it on knowingly.
  backend::background::setStaysInBackgroundByDefault(&QSystemTrayIcon::isSystemTrayAvailable);
  const QString id = QString::fromLatin1(backend::background::kAppId);
  m_instance = std::make_unique<SingleInstance>(bus, configuration.baseURL(), [this] { showWindow(); });
  m_notifier = std::make_unique<DesktopNotifier>(std::move(bus), QStringLiteral("TavroBox"), id, id);
  connect(m_notifier.get(), &DesktopNotifier::activated, this, &EventAlerts::activated);

  m_watcher.setEveryEvent(backend::background::everyEvent());
  connect(&m_watcher, &backend::EventWatcher::newEvents, this, &EventAlerts::tell);
  m_observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { signedIn(); });
  m_observations.add(kBackgroundPreferencesDidChange,
                     [this](const foundation::Notification&) { m_watcher.setEveryEvent(backend::background::everyEvent()); });

  m_app.window()->installEventFilter(this);
  m_banner = new AlarmBanner(m_app.navigationController(), [this] { showWindow(QString::fromLatin1(kHistoryScreen)); });
  // The tray comes next, in a turn of its own: the alerts are built with the first frame, which
  // must not wait for it.
  QTimer::singleShot(0, this, [this] { tray(); });
  // Built after a sign-in that went already (a window drawn late): its account is watched now.
  if (!BESessionManager::getInstance().signedInLogin().empty()) signedIn();
}

TrayIcon* EventAlerts::tray() {
  if (!m_tray) m_tray = std::make_unique<TrayIcon>(*this);
  return m_tray.get();
}

EventAlerts::~EventAlerts() {
  if (m_app.window()) m_app.window()->removeEventFilter(this);
  // Its tap calls back here; the navigation view it lives in may outlast this object.
  delete m_banner.data();
}

void EventAlerts::quit() {
  if (m_quit) m_quit();
}

AlarmBanner* EventAlerts::banner() const { return m_banner; }

void EventAlerts::signedIn() {
  m_renewal = Renewal::None;
  const QString account = QString::fromStdString(BESessionManager::getInstance().signedInLogin()) + QLatin1Char('@') +
                          m_configuration.baseURL();
  // A session renewed for the same account goes on from where the watcher stands.
  if (account == m_account && m_watcher.isWatching()) return;
  m_account = account;
  m_watcher.start(account);
  // Where the history stands at sign-in is marked now, so that the first interval already tells
  // what happens after it.
  if (m_configuration.watchInterval <= 0) return;
  // Where the history stands at sign-in is marked soon, so that the first interval already tells
  // what happens after it; not at once, where it would hold up the first screen's reads.
  m_firstLook.start(kFirstLookSeconds, false, [this](foundation::Timer&) {
    m_watcher.check();
    // The cameras an event may name, the modes and favorites the tray shows: nobody else reads
    // them while the app runs in the background.
    if (!BESessionManager::getInstance().dashboard()) BEServiceDashboard::getInstance().getDashboard()->setBackground();
  });
}

void EventAlerts::stopWatching() {
  m_firstLook.invalidate();
  m_watcher.stop();
  m_account.clear();
  m_renewal = Renewal::None;
}

void EventAlerts::startedInBackground() {
  // No window will be drawn: the tray is all that shows the app runs.
  tray();
  // Nobody will see the login screen waiting in the hidden window.
  if (!foundation::rememberedSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard())) askToSignIn();
}

bool EventAlerts::windowInFront() const {
  const ui::Window* window = m_app.window();
  return window && window->isVisible() && !window->isMinimized() && window->isActiveWindow();
}

bool EventAlerts::inBackground() const {
  const ui::Window* window = m_app.window();
  return !window || !window->isVisible() || window->isMinimized();
}

void EventAlerts::tell(const QList<backend::WatchedEvent>& events) {
  if (events.isEmpty()) return;
  // The newest alarm goes to the banner, for when the window shows.
  for (auto it = events.rbegin(); it != events.rend(); ++it)
    if (it->urgency == history::Urgency::Critical && !inBackground()) {
      m_banner->present(it->title);
      break;
    }
  // Nobody to show them to (the tray wears its badge): no picture is fetched for nothing either.
  if (windowInFront() || !m_notifier->willShow()) return;

  // The most urgent first, then the newest.
  QList<backend::WatchedEvent> order(events.rbegin(), events.rend());
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.urgency > b.urgency; });
  const int singles = order.size() > kMaxSingleNotices ? kMaxSingleNotices : int(order.size());
  for (int i = 0; i < singles; ++i) notifyEvent(order[i]);
  if (order.size() <= kMaxSingleNotices) return;

  DesktopNotifier::Notice summary;
  summary.summary = foundation::localized("kTradEventsSummary").arg(order.size());
  QStringList others;
  for (qsizetype i = singles; i < order.size(); ++i) others << order[i].title;
  summary.body = foundation::localized("kTradEventsSummaryMore").arg(others.join(QStringLiteral(", ")));
  summary.urgency = urgencyOf(order[singles].urgency);
  summary.category = categoryOf(order[singles].urgency);
  summary.actionLabel = foundation::localized("kTradNotificationView");
  summary.context = kHistoryContext;
  m_notifier->notify(summary);
}

void EventAlerts::notifyEvent(const backend::WatchedEvent& event) {
  DesktopNotifier::Notice notice;
  notice.summary = event.title;
  // The event's own time, as its history row shows it.
  const QString when = event.record ? history::rowTexts(*event.record).date.replace(QLatin1Char('\n'), QLatin1Char(' ')) : QString();
  notice.body = QStringList({event.text, when}).join(QLatin1Char('\n')).trimmed();
  notice.urgency = urgencyOf(event.urgency);
  notice.category = categoryOf(event.urgency);
  notice.actionLabel = foundation::localized("kTradNotificationView");
  notice.context = event.camera.isEmpty() ? kHistoryContext : kCameraContext + event.camera;
  if (event.camera.isEmpty()) return m_notifier->notify(notice);
  notifyWithPicture(notice, event.camera);
}

void EventAlerts::notifyWithPicture(DesktopNotifier::Notice notice, const QString& camera) {
  // The still image session for every camera ("0"), then that camera's picture; without one the
  // notification still goes.
  auto send = [this, notice] { m_notifier->notify(notice); };
  auto open = [] {
    const backend::SentByTheApp byTheApp;
    return BEServiceCamera::getInstance().putStartImageSessionWithId(QStringLiteral("0"));
  }();
  open->setBackground();
  m_calls.call(open, [this, notice, camera, send] {
    BESessionManager::getInstance().setImageData(std::nullopt);
    auto picture = BEServiceCamera::getInstance().getImageWithId(camera);
    picture->setBackground();
    m_calls.call(picture, [this, notice]() mutable {
      const auto& data = BESessionManager::getInstance().imageData();
      if (data) notice.image = *data;
      m_notifier->notify(notice);
    }, send);
  }, send);
}

void EventAlerts::askToSignIn() {
  m_renewal = Renewal::AskedUser;
  DesktopNotifier::Notice notice;
  notice.summary = foundation::localized("kTradSignInNeeded");
  notice.body = foundation::localized("kTradSignInNeededText");
  notice.category = QStringLiteral("network.error");
  notice.actionLabel = foundation::localized("kTradNotificationSignIn");
  notice.context = kSignInContext;
  m_notifier->notify(notice);
  // The login screen waits in the window for when the user brings it up.
  if (!m_app.popupWindow()) m_app.getNewSessionAfterLogOut();
}

bool EventAlerts::renewSessionQuietly() {
  if (!inBackground()) return false;
  if (m_renewal != Renewal::None) return true;  // under way, or the user was asked already
  foundation::Preferences& prefs = foundation::Preferences::standard();
  const auto remembered = foundation::rememberedSignIn(prefs, foundation::SecretStore::standard());
  if (!remembered) {
    askToSignIn();
    return true;
  }
  m_renewal = Renewal::Quiet;
  m_calls.call(BEServiceLogin::getInstance().postLoginWithDigest(remembered->login, remembered->passwordDigest), {}, [this] {
    if (!BEServiceLogin::getInstance().credentialsRefused()) {
      // Not answered: the next look at the history meets the lost session and tries again.
      m_renewal = Renewal::None;
      return;
    }
    foundation::forgetSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard());
    askToSignIn();
  });
  return true;
}

void EventAlerts::activated(const QString& context) {
  if (context == kHistoryContext) return showWindow(QString::fromLatin1(kHistoryScreen));
  if (context.startsWith(kCameraContext)) return showWindow(QString::fromLatin1(kSupervisionScreen), context.mid(kCameraContext.size()));
  showWindow();
}

void EventAlerts::showWindow(const QString& screen, const QString& camera) {
  ui::Window* window = m_app.window();
  if (window->isMinimized()) window->showNormal();
  window->makeKeyAndVisible();  // raised and made active too
  // A login popup on show comes first: the user signs in, then finds the menu.
  if (screen.isEmpty() || m_app.popupWindow()) return;
  if (screen == QLatin1String(kHistoryScreen)) m_banner->dismiss();
  ui::NavigationController* navigation = m_app.navigationController();
  navigation->popToRootViewControllerAnimated(false);
  UISessionManager::getInstance().setSelectedNavItem(screen);
  m_app.rootViewController()->navItemClicked();
  auto* supervision = dynamic_cast<MySupervisionController*>(navigation->topViewController());
  if (!supervision || camera.isEmpty()) return;
  auto select = [camera](MySupervisionController* s) {
    const auto& cameras = s->cameraSensors();
    for (std::size_t i = 0; i < cameras.size(); ++i)
      if (cameras[i] && cameras[i]->serial.value_or("") == camera.toStdString()) {
        s->showCameraPage(int(i));
        return true;
      }
    return false;
  };
  supervision->view();
  if (select(supervision)) return;
  // The store knew no cameras yet: the page is chosen once the screen has built them.
  QPointer<MySupervisionController> later = supervision;
  connect(&BESessionManager::getInstance().home(), &backend::Home::recordingsChanged, supervision,
          [later, select] { if (later) select(later); }, Qt::SingleShotConnection);
}

bool EventAlerts::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_app.window() && event->type() == QEvent::Close) {
    if (backend::background::staysInBackground()) {
      event->ignore();
      m_app.window()->hide();
      return true;
    }
    quit();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace app
