#pragma once
// The real app against the simulated service of the demo home, both in this process: the service
// on a loopback port, the application object signed in through its login screen, the menu's taps.
#include "support/BenchSupport.h"

#include "app/LeftVerticalNav.h"
#include "app/LoginViewController.h"
#include "app/RightVerticalNav.h"
#include "app/RootViewController.h"
#include "app/ScreenCatalog.h"
#include "app/TavroBoxAppAppDelegate.h"
#include "backend/BENotifications.h"
#include "controls/OnOffSwitch.h"
#include "core/HttpServer.h"
#include "foundation/Configuration.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "home/CloudService.h"
#include "rest/network/NetworkActivity.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"

#include <QDir>

#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace benchsupport {

// The simulated service of the demo home on a free loopback port. Its server answers on a thread
// of its own, so other processes can use it while this one waits for them. `serveInstead` answers
// the requests whose path contains `pathPart` with a fixed JSON body instead (a longer history
// than the demo home keeps); an empty part ends that.
class LocalService : public simcore::Dispatcher {
 public:
  bool start() {
    QString error;
    auto users = simhome::Users::loadFile(simhome::Users::builtInPath(), &error);
    auto homes = users ? simhome::loadHomes(*users, QString(), 2013, m_clock.nowMs(), &error) : std::nullopt;
    if (!homes) {
      std::fprintf(stderr, "simulated home: %s\n", qPrintable(error));
      return false;
    }
    simhome::ServiceOptions options;
    options.lifeIntervalMs = 0;  // the home changes only when asked
    m_service = std::make_unique<simhome::CloudService>(options, std::move(*users), std::move(*homes), &m_clock);
    m_server = std::make_unique<simcore::HttpServer>(this);
    if (!m_server->listen()) {
      std::fprintf(stderr, "simulated service: cannot listen: %s\n", qPrintable(m_server->errorString()));
      return false;
    }
    return true;
  }

  simhome::CloudService& service() { return *m_service; }
  simcore::HttpServer& server() { return *m_server; }

  foundation::Configuration configuration() const {
    foundation::Configuration configuration;
    configuration.restServer = m_server->baseUrl().toString();
    while (configuration.restServer.endsWith('/')) configuration.restServer.chop(1);
    configuration.restType = m_service->options().restType;
    configuration.restVersion = m_service->options().restVersion;
    configuration.demoUser = configuration.demoPassword = QStringLiteral("demo");
    return configuration;
  }

  void serveInstead(const QString& pathPart, QByteArray body) {
    std::lock_guard lock(m_mutex);
    m_insteadPath = pathPart.toUtf8();
    m_insteadBody = std::move(body);
  }

  simcore::HttpResponse dispatch(const simcore::HttpRequest& request) override {
    {
      std::lock_guard lock(m_mutex);
      if (!m_insteadPath.isEmpty() && request.path.contains(m_insteadPath)) return simcore::HttpResponse::json(200, m_insteadBody);
    }
    return m_service->dispatch(request);
  }

  ~LocalService() override {
    if (m_server) m_server->close();
  }

 private:
  simhome::SystemClock m_clock;
  std::unique_ptr<simhome::CloudService> m_service;
  std::unique_ptr<simcore::HttpServer> m_server;
  std::mutex m_mutex;
  QByteArray m_insteadPath;
  QByteArray m_insteadBody;
};

// Settings of a run: preferences (the password with them, as without a keychain) in `folder`,
// French texts, and animations that take no time: a slide lasts what it lasts whatever the code does.
inline void useBenchSettings(const QString& folder) {
  foundation::Preferences::setStandard(std::make_unique<foundation::Preferences>(QDir(folder).filePath("tavrobox.prefs")));
  foundation::SecretStore::setStandard(std::make_unique<foundation::PreferencesSecretStore>(foundation::Preferences::standard()));
  foundation::loadStrings(QStringLiteral("fr"));
  ui::Animation::setDurationScale(0);
}

// Nothing under way in the shell: no request out, no progress overlay, no screen sliding.
inline bool settled(const TavroBoxAppAppDelegate& app) {
  const ui::ProgressHUD* hud = app.progressHUD();
  return rest::networkActivityCount() == 0 && !(hud && hud->isShowing()) && !app.navigationController()->isTransitioning();
}

// Types the credentials into the login screen and signs in as the return key does; true once the
// service accepted them and the login popup is gone.
inline bool signIn(TavroBoxAppAppDelegate& app, const QString& user, const QString& password, bool remember = false) {
  auto* login = qobject_cast<LoginViewController*>(app.popupController());
  if (!login) return false;
  bool signedIn = false;
  foundation::Observations outcome;
  outcome.add(kSuccessLoginPostLogin, [&](const foundation::Notification&) { signedIn = true; });
  login->postUserName()->setText(user);
  login->postPassword()->setText(password);
  login->rememberState()->setOn(remember);
  login->textFieldShouldReturn(login->postPassword());
  return pumpUntil([&] { return signedIn; }, 20000) && pumpUntil([&] { return app.releasedPopup(); }, 10000);
}

// A tap on one row of the menu.
struct MenuTap {
  controls::MenuColumn* column;
  int row;
  QString screenName;
  void operator()() const { column->onItemClicked(row); }
};

// The rows of the menu that open a screen, in the order it shows them (left column, then right).
inline std::vector<MenuTap> menuTaps(const TavroBoxAppAppDelegate& app) {
  std::vector<MenuTap> taps;
  RootViewController* menu = app.rootViewController();
  for (controls::MenuColumn* column : {static_cast<controls::MenuColumn*>(menu->leftVerticalNavTableCtrl()),
                                       static_cast<controls::MenuColumn*>(menu->rightVerticalNavTableCtrl())}) {
    for (int row = 0; row < int(column->rows().size()); ++row) {
      const QString name = QString::fromLatin1(column->rows()[size_t(row)].screenName);
      if (app::ScreenCatalog::shared().contains(name)) taps.push_back({column, row, name});
    }
  }
  return taps;
}

// Opens the screen of `tap` and waits until it has its answers; the screen, or null.
inline ui::Screen* openAndSettle(const TavroBoxAppAppDelegate& app, const MenuTap& tap, int timeoutMs = 20000) {
  tap();
  ui::NavigationController* navigation = app.navigationController();
  const bool ok = pumpUntil([&] { return navigation->topViewController() != app.rootViewController() && settled(app); }, timeoutMs);
  return ok ? navigation->topViewController() : nullptr;
}

// Back to the menu, with nothing of the last screen still running or alive.
inline void backToMenu(const TavroBoxAppAppDelegate& app) {
  app.navigationController()->popToRootViewControllerAnimated(false);
  pumpUntil([&] { return settled(app); }, 10000);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace benchsupport
