#include "app/Tour.h"

#include "controls/AppNotifications.h"
#include "app/LeftVerticalNav.h"
#include "app/LoginViewController.h"
#include "app/MenuTable.h"
#include "app/RightVerticalNav.h"
#include "app/RootViewController.h"
#include "app/ScreenCatalog.h"
#include "app/ServerTrust.h"
#include "app/TavroBoxAppAppDelegate.h"
#include "controls/TourStates.h"
#include "controls/gallery/ControlsGalleryScreen.h"

#include "backend/AlarmLock.h"
#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/CertificatePins.h"
#include "backend/BESessionManager.h"
#include "backend/SessionEnd.h"
#include "backend/StoredAnswers.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestClient.h"
#include "rest/network/RestRequestQueue.h"
#include "backend/ServiceReachability.h"
#include "foundation/Accounts.h"
#include "foundation/Preferences.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Strings.h"
#include "rest/network/NetworkActivity.h"
#include "rest/network/TlsTrust.h"
#include <QCryptographicHash>
#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/Accessibility.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"
#include "ui/PopupWindow.h"
#include "ui/ProgressHUD.h"
#include "ui/Slider.h"
#include "ui/Window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <unistd.h>

#include <optional>

namespace app {

namespace {

constexpr int kLoginPopupWaitMs = 10000;
constexpr int kSignInWaitMs = 30000;
constexpr int kPopupGoneWaitMs = 10000;
constexpr int kScreenWaitMs = 20000;
// Pictures and late layout of a screen that has its data.
constexpr int kSettleMs = 400;

void pump(int ms) {
  QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QThread::msleep(5);
  }
}

}  // namespace

qint64 processAgeMs() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  QFile uptime(QStringLiteral("/proc/uptime"));
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
  const QByteArray line = stat.readAll();
  // The command name may hold spaces: the fields count from the last ')'.
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  const long ticks = sysconf(_SC_CLK_TCK);
  if (fields.size() < 20 || ticks <= 0) return -1;
  const double startedSeconds = fields[19].toDouble() / double(ticks);  // field 22 of the line
  const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
  return qint64((upSeconds - startedSeconds) * 1000.0);
}

qint64 residentMemoryKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
  }
  return -1;
}

Tour::Tour(TavroBoxAppAppDelegate& application, foundation::Configuration configuration, QString folder,
           const QElapsedTimer& sinceStart, QTextStream& out, QTextStream& err)
    : m_app(application), m_configuration(std::move(configuration)), m_folder(std::move(folder)),
      m_sinceStart(sinceStart), m_out(out), m_err(err) {}

bool Tour::waitFor(const std::function<bool()>& condition, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return condition();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QThread::msleep(2);
  }
  return true;
}

bool Tour::save(const QString& name) {
  QCoreApplication::processEvents();
  return savePicture(m_app.window()->grab(), name);
}

bool Tour::savePicture(const QPixmap& picture, const QString& name) {
  const QString path = QDir(m_folder).filePath(QStringLiteral("%1-%2.png").arg(m_next++, 2, 10, QLatin1Char('0')).arg(name));
  const bool ok = picture.save(path, "PNG");
  if (ok) {
    m_written << path;
    m_out << "tour: wrote " << path << "\n";
  } else {
    m_err << "tour: could not write " << path << "\n";
  }
  m_out.flush();
  return ok;
}

int Tour::run() {
  if (!QDir().mkpath(m_folder)) {
    m_err << "tour: cannot create the folder " << m_folder << "\n";
    return 1;
  }
  m_folder = QDir(m_folder).absolutePath();
  bool ok = true;

  // The login popup, as the user finds it, then with the demo user typed in.
  auto loginScreen = [&] { return qobject_cast<LoginViewController*>(m_app.popupController()); };
  if (!waitFor([&] { return loginScreen() && m_app.popupWindow() && m_app.popupWindow()->isVisible(); }, kLoginPopupWaitMs)) {
    m_err << "tour: the login screen did not appear\n";
    return 1;
  }
  const qint64 loginShownMs = m_sinceStart.elapsed();
  const qint64 loginAgeMs = processAgeMs();
  LoginViewController* login = loginScreen();
  login->postUserName()->setText(m_configuration.demoUser);
  login->postPassword()->setText(m_configuration.demoPassword);
  login->postPassword()->becomeFirstResponder();
  ok &= save(QStringLiteral("login"));

  // Sign in through the screen, as the return key would.
  std::optional<bool> signedIn;
  foundation::Observations outcome;
  outcome.add(kSuccessLoginPostLogin, [&](const foundation::Notification&) { signedIn = true; });
  outcome.add(kErrorLoginPostLogin, [&](const foundation::Notification&) { signedIn = false; });
  QElapsedTimer signIn;
  signIn.start();
  login->textFieldShouldReturn(login->postPassword());
  waitFor([&] { return signedIn.has_value(); }, kSignInWaitMs);
  const qint64 signInMs = signIn.elapsed();
  if (signedIn != true) {
    save(QStringLiteral("login-failed"));
    m_err << "tour: signing in as \"" << m_configuration.demoUser << "\" at " << m_configuration.baseURL() << " "
          << (signedIn.has_value() ? "was refused" : "got no answer") << "\n";
    return 1;
  }
  if (!waitFor([&] { return m_app.releasedPopup(); }, kPopupGoneWaitMs)) {
    m_err << "tour: the login popup did not go away after the sign-in\n";
    return 1;
  }
  pump(kSettleMs);
  const qint64 rssKb = residentMemoryKb();
  ok &= save(QStringLiteral("menu"));

  // One of the global alerts, over the menu.
  m_app.alertGatewayOff();
  ok &= save(QStringLiteral("alert"));
  for (ui::AlertView* alert : m_app.window()->alerts()) alert->dismissWithClickedButtonIndex(0, false);

  // The banner shown while the service cannot be reached.
  backend::ServiceReachability::getInstance().markUnreachable();
  pump(kSettleMs);
  ok &= save(QStringLiteral("offline"));
  backend::ServiceReachability::getInstance().markReachable();

  ok &= visitServerTrust();
  ok &= visitScreens();
  ok &= visitKeyboardFocus();
  ok &= visitStartFromCache();
  ok &= visitAlarmCode();
  ok &= visitAlerts();
  ok &= visitControlsGallery();
  ok &= visitSettings();
  ok &= visitAccountList();

  m_out << "tour: login screen shown " << loginShownMs << " ms after main() started";
  if (loginAgeMs >= 0) m_out << " (" << loginAgeMs << " ms after the process started)";
  m_out << "\n";
  m_out << "tour: signed in as \"" << m_configuration.demoUser << "\" in " << signInMs << " ms\n";
  if (rssKb >= 0) m_out << "tour: resident memory after sign-in: " << (rssKb + 512) / 1024 << " MB (" << rssKb << " kB)\n";
  m_out << "tour: " << m_written.size() << " pictures in " << m_folder << "\n";
  m_out.flush();
  return ok ? 0 : 1;
}

bool Tour::visitServerTrust() {
  const QSslCertificate certificate = rest::tlsTrustSettings().trustedCertificates.value(0);
  if (certificate.isNull()) {
    m_out << "tour: no certificate configured, so the questions about certificates are not shown\n";
    return true;
  }
  const QString server = rest::serverKey(QUrl(m_configuration.restServer));
  bool ok = true;
  const std::pair<rest::CertificateVerdict, const char*> steps[] = {{rest::CertificateVerdict::Unknown, "trust"},
                                                                      {rest::CertificateVerdict::NotExpected, "trust-changed"}};
  for (const auto& [verdict, name] : steps) {
    m_app.serverTrust()->present({server, certificate, verdict});
    pump(kSettleMs);
    ok &= save(QString::fromLatin1(name));
    // Gone without an answer: nothing is pinned.
    for (ui::AlertView* alert : m_app.window()->alerts()) alert->dismissWithClickedButtonIndex(0, false);
    pump(50);
  }
  return ok;
}

bool Tour::visitScreens() {
  RootViewController* menu = m_app.rootViewController();
  ui::NavigationController* navigation = m_app.navigationController();
  bool ok = true;
  QStringList missing;
  // In the order the menu shows them: the left column, then the right one.
  for (controls::MenuColumn* column : {static_cast<controls::MenuColumn*>(menu->leftVerticalNavTableCtrl()),
                             static_cast<controls::MenuColumn*>(menu->rightVerticalNavTableCtrl())}) {
    for (int row = 0; row < int(column->rows().size()); ++row) {
      const QString name = QString::fromLatin1(column->rows()[size_t(row)].screenName);
      if (!ScreenCatalog::shared().contains(name)) {
        missing << name;
        continue;
      }
      column->onItemClicked(row);
      const bool ready = waitFor(
          [&] {
            ui::ProgressHUD* hud = m_app.progressHUD();
            return navigation->topViewController() != menu && !navigation->isTransitioning() &&
                   !(hud && hud->isShowing()) && rest::networkActivityCount() == 0;
          },
          kScreenWaitMs);
      if (!ready) m_err << "tour: " << name << " was still loading after " << kScreenWaitMs / 1000 << " s\n";
      pump(kSettleMs);
      ok &= save(name);
      if (auto* states = dynamic_cast<controls::TourStates*>(navigation->topViewController())) {
        for (const controls::TourStates::State& state : states->tourStates()) {
          state.enter();
          waitFor([&] {
            ui::ProgressHUD* hud = m_app.progressHUD();
            return !navigation->isTransitioning() && !(hud && hud->isShowing()) && rest::networkActivityCount() == 0;
          }, kScreenWaitMs);
          pump(kSettleMs);
          ok &= save(name + QLatin1Char('-') + state.name);
        }
      }
      navigation->popToRootViewControllerAnimated(false);
      pump(50);
    }
  }
  if (!missing.isEmpty()) m_out << "tour: not built yet, so not shown: " << missing.join(QStringLiteral(", ")) << "\n";
  return ok;
}

bool Tour::visitKeyboardFocus() {
  ui::Window* window = m_app.window();
  ui::NavigationController* navigation = m_app.navigationController();
  window->activateWindow();
  pump(50);
  auto press = [window](Qt::Key key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &up);
  };
  // Tab to the lighting row, as a keyboard user does.
  const QString lighting = foundation::localized("LIGHTING");
  for (int i = 0; i < 20 && ui::accessibleNameFor(QApplication::focusWidget()) != lighting; ++i) press(Qt::Key_Tab);
  if (ui::accessibleNameFor(QApplication::focusWidget()) != lighting) {
    m_err << "tour: the keyboard did not reach the lighting row\n";
    return false;
  }
  pump(kSettleMs);
  bool ok = save(QStringLiteral("menu-keyboard-focus"));
  press(Qt::Key_Return);
  waitFor([&] {
    ui::ProgressHUD* hud = m_app.progressHUD();
    return navigation->topViewController() != m_app.rootViewController() && !navigation->isTransitioning() &&
           !(hud && hud->isShowing()) && rest::networkActivityCount() == 0;
  }, kScreenWaitMs);
  // The back button first, then the first light's switch.
  for (int i = 0; i < 10 && !qobject_cast<ui::Slider*>(QApplication::focusWidget()); ++i) press(Qt::Key_Tab);
  pump(kSettleMs);
  ok &= save(QStringLiteral("lighting-keyboard-focus"));
  press(Qt::Key_Escape);
  waitFor([&] { return navigation->topViewController() == m_app.rootViewController() && !navigation->isTransitioning(); },
          kScreenWaitMs);
  // The pictures after these are of touch use: no ring.
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
  pump(50);
  return ok;
}

bool Tour::visitStartFromCache() {
  // The session store as a new run finds it (signed in, nothing read yet), then what this tour's
  // visits stored filed from the cache, and the dashboard opened with its fresh read held back in
  // the queue, as on a slow network.
  BESessionManager& store = BESessionManager::getInstance();
  auto auth = store.auth();
  const std::string login = store.signedInLogin();
  store.clear();
  store.setAuth(std::move(auth));
  store.setSignedInLogin(login);
  backend::StoredAnswers::resetInstance();
  backend::StoredAnswers::getInstance().fileStoredAnswers();
  if (!waitFor([] { return backend::StoredAnswers::getInstance().isFromEarlierRun(backend::DataSet::Dashboard); }, kScreenWaitMs)) {
    m_err << "tour: no stored dashboard was filed from the cache\n";
    return false;
  }
  rest::RestObjectManager* manager = BERestConfig::getInstance().restManager();
  std::shared_ptr<rest::RestRequestQueue> queue = manager && manager->client() ? manager->client()->requestQueue() : nullptr;
  if (queue) queue->setSuspended(true);

  ui::NavigationController* navigation = m_app.navigationController();
  RootViewController* menu = m_app.rootViewController();
  for (controls::MenuColumn* column : {static_cast<controls::MenuColumn*>(menu->leftVerticalNavTableCtrl()),
                                       static_cast<controls::MenuColumn*>(menu->rightVerticalNavTableCtrl())})
    for (int row = 0; row < int(column->rows().size()); ++row)
      if (QLatin1String(column->rows()[size_t(row)].screenName) == QLatin1String("MyHomeController")) column->onItemClicked(row);
  waitFor([&] { return navigation->topViewController() != menu && !navigation->isTransitioning(); }, kScreenWaitMs);
  pump(kSettleMs);
  const bool ok = save(QStringLiteral("MyHomeController-stored"));

  if (queue) queue->setSuspended(false);
  waitFor([] { return rest::networkActivityCount() == 0; }, kScreenWaitMs);
  navigation->popToRootViewControllerAnimated(false);
  pump(50);
  return ok;
}

bool Tour::visitControlsGallery() {
  ui::NavigationController* navigation = m_app.navigationController();
  bool ok = true;
  for (const controls::gallery::GalleryPageFactory& factory : controls::gallery::galleryPages()) {
    auto* screen = new controls::gallery::GalleryPageScreen(factory());
    navigation->pushViewController(screen, false);
    navigation->setNavigationBarHidden(false);
    waitFor([&] { return !navigation->isTransitioning(); }, kScreenWaitMs);
    pump(kSettleMs);
    const QString name = QStringLiteral("controls-") + screen->page()->name();
    ok &= save(name);
    for (const QString& state : screen->page()->states()) {
      screen->page()->enterState(state);
      pump(kSettleMs);
      ok &= save(name + QLatin1Char('-') + state);
    }
    navigation->popToRootViewControllerAnimated(false);
    pump(50);
  }
  return ok;
}

bool Tour::visitSettings() {
  ui::NavigationController* navigation = m_app.navigationController();
  // A certificate trusted on first use to list: the configured one, for the picture only.
  const QSslCertificate certificate = rest::tlsTrustSettings().trustedCertificates.value(0);
  const QString server = rest::serverKey(QUrl(m_configuration.restServer));
  const bool pinned = !certificate.isNull() && !backend::CertificatePins::stored().contains(server);
  if (pinned) backend::CertificatePins::pin(server, certificate.digest(QCryptographicHash::Sha256));
  // An alarm code, asked after 5 minutes away, so that its options show as they are used (for
  // the pictures only; a quick code, thrown away with the options as they were).
  backend::AlarmLock lock;
  const bool coded = !lock.hasCode();
  const int minutesBefore = lock.backgroundMinutes();
  if (coded) {
    lock.setIterations(1000);
    std::optional<bool> stored;
    lock.setCode(QStringLiteral("2580"), [&](bool done) { stored = done; });
    waitFor([&] { return stored.has_value(); }, kScreenWaitMs);
    lock.setBackgroundMinutes(5);
  }
  m_app.rootViewController()->openSettings();
  waitFor([&] { return navigation->topViewController() != m_app.rootViewController() && !navigation->isTransitioning(); },
          kScreenWaitMs);
  pump(kSettleMs);
  const QString name = QString::fromLatin1(kSettingsScreenName);
  bool ok = save(name);
  if (auto* states = dynamic_cast<controls::TourStates*>(navigation->topViewController())) {
    for (const controls::TourStates::State& state : states->tourStates()) {
      state.enter();
      pump(kSettleMs);
      ok &= save(name + QLatin1Char('-') + state.name);
    }
  }
  navigation->popToRootViewControllerAnimated(false);
  pump(50);
  if (pinned) backend::CertificatePins::forget(server);
  if (coded) {
    lock.removeCode();
    lock.setBackgroundMinutes(minutesBefore);
  }
  return ok;
}

bool Tour::visitAccountList() {
  // A household whose members each use the app here: more accounts than the list shows at once.
  foundation::Preferences& preferences = foundation::Preferences::standard();
  const QList<foundation::Account> before = foundation::usedAccounts(preferences);
  QList<foundation::Account> added;
  for (const char* user : {"vide", "lucie", "marc", "anne"}) {
    const foundation::Account account{QString::fromLatin1(user), BERestConfig::getInstance().baseURL()};
    if (before.contains(account)) continue;
    foundation::noteAccountUsed(preferences, account);
    added << account;
  }
  const bool ok = showAccountList();
  for (const foundation::Account& account : added) foundation::removeUsedAccount(preferences, account);
  return ok;
}

bool Tour::showAccountList() {
  m_app.signOut({});
  if (!waitFor([&] { return m_app.popupWindow() && m_app.popupWindow()->isVisible(); }, kLoginPopupWaitMs)) {
    m_err << "tour: the login screen did not come back after signing out\n";
    return false;
  }
  pump(kSettleMs);
  bool ok = save(QStringLiteral("login-accounts"));
  // "Autre compte": the fields, with the way back to the list.
  if (auto* login = qobject_cast<LoginViewController*>(m_app.popupController())) {
    login->chooseAccount(-1);
    pump(kSettleMs);
    ok &= save(QStringLiteral("login-other-account"));
  }
  return ok;
}

}  // namespace app
