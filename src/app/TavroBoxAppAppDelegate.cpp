#include "app/TavroBoxAppAppDelegate.h"

#include "controls/AppNotifications.h"
#include "app/BackgroundSignIn.h"
#include "app/FirstFrame.h"
#include "app/EventAlerts.h"
#include "app/HUDOverlay.h"
#include "app/LiveState.h"
#include "app/LoginViewController.h"
#include "app/RootViewController.h"
#include "app/ServerTrust.h"
#include "app/StatusBarActivity.h"
#include "controls/Tools.h"
#include "controls/lock/AlarmLockGate.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/SessionEnd.h"
#include "backend/StoredAnswers.h"
#include "foundation/Accounts.h"
#include "foundation/Preferences.h"
#include "foundation/SettingsKeys.h"
#include "foundation/RememberedSignIn.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestClient.h"
#include "ui/Animation.h"
#include "ui/Fonts.h"
#include "ui/NavigationController.h"
#include "ui/PopupWindow.h"
#include "ui/ProgressHUD.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QTimer>

namespace {

const QString kLoginScreenName = QStringLiteral("LoginViewController");
constexpr int kUndrawnSignInDelayMs = 300;

void showActivityWhileBusy(rest::RestClient* client) {
  if (client && client->requestQueue()) client->requestQueue()->setShowsNetworkActivityIndicatorWhenBusy(true);
}

}  // namespace

TavroBoxAppAppDelegate::TavroBoxAppAppDelegate(QObject* parent) : QObject(parent) {
  // The main interface: the phone window and its navigation stack, the menu at the root.
  m_window = std::make_unique<ui::Window>();
  m_root = new RootViewController();
  m_navigationController = std::make_unique<ui::NavigationController>(m_root);
}

TavroBoxAppAppDelegate::~TavroBoxAppAppDelegate() {
  m_loginTimer.invalidate();
  m_observations.clear();
  m_backgroundSignIn.reset();
  m_configuration.reset();  // nothing builds the alerts again from here on
  m_eventAlerts.reset();
  m_serverTrust.reset();
  // Popups first, released ones still waiting for deletion included: they tell their window when
  // they go, which must still be whole then.
  if (m_window) {
    for (ui::PopupWindow* popup : m_window->popups()) delete popup;
    m_window->setRootViewController(nullptr);
  }
}

bool TavroBoxAppAppDelegate::applicationDidFinishLaunchingWithOptions(const foundation::Configuration& configuration) {
  // 1.
  m_isLogOut = false;

  // 2. One alert per failure class, in this order.
  const std::pair<const char*, void (TavroBoxAppAppDelegate::*)()> alerts[] = {
      {kNotification600GatewayOff, &TavroBoxAppAppDelegate::alertGatewayOff},
      {kNotification620PrivacyMode, &TavroBoxAppAppDelegate::alertPrivacyMode},
      // Any other code of the box: the control flips back, and the user must hear why.
      {kNotification6xxVyrError, &TavroBoxAppAppDelegate::alertGatewayRefused},
      {kNotification403Forbidden, &TavroBoxAppAppDelegate::alertSessionTimeOut},
      {kNotification400BadRequest, &TavroBoxAppAppDelegate::alertConnection4xx},
      {kNotification401Unauthorized, &TavroBoxAppAppDelegate::alertConnection4xx},
      {kNotification404NotFound, &TavroBoxAppAppDelegate::alertConnection4xx},
      {kNotification405MethodNotAllowed, &TavroBoxAppAppDelegate::alertConnection4xx},
      {kNotification415UnsupportedMediaType, &TavroBoxAppAppDelegate::alertConnection4xx},
      {kNotification4xxCustomerError, &TavroBoxAppAppDelegate::alertConnection4xx},
      {kNotification615NotEnoughCredit, &TavroBoxAppAppDelegate::alertNoRecOption},
      {kNotification5xxServerError, &TavroBoxAppAppDelegate::alertConnection5xx},
  };
  for (const auto& [name, handler] : alerts)
    m_observations.add(name, [this, handler](const foundation::Notification&) { (this->*handler)(); });

  // 3. The REST layer, once. Its queues drive the status bar's spinner, and the client's
  // "service unavailable" alert is one of ours.
  BERestConfig& rest = BERestConfig::getInstance();
  rest.initRestLayer(configuration);
  // The configured server is the default; the app starts on the server of the account used last
  // (so that its remembered password signs it in), when the configuration's rules allow that one.
  if (const auto used = foundation::usedAccounts(foundation::Preferences::standard()); !used.isEmpty()) {
    const QString server = used.first().server;
    if (server != rest.baseURL() && foundation::Configuration::checkServer(server, configuration.allowInsecureHttp).ok())
      backend::switchServer(server);
  }
  showActivityWhileBusy(rest.client().get());
  if (rest.restManager()) showActivityWhileBusy(rest.restManager()->client());
  rest::RestClient::setAlertPresenter([](const QString& title, const QString& message, const QString& button) {
    Tools::alertWithMessageAndTitleAndCancelButton(message, title, button);
  });

  // 4. The progress overlay over the navigation stack, hidden until a screen needs it.
  m_hud = new ui::ProgressHUD(m_navigationController->view());
  BESessionManager::getInstance().setUiHUD(std::make_shared<app::HUDOverlay>(m_hud));
  m_hud->hide(true);
  m_hud->setLabelText(QStringLiteral("Chargement ..."));
  m_hud->view()->raise();

  // The open screen kept current, and the service's reach shown (above the overlay's level).
  // The settings' interval, when one was chosen, holds over the configuration's.
  bool chosen = false;
  const double chosenInterval =
      foundation::Preferences::standard().string(QString::fromLatin1(foundation::kRefreshIntervalPref)).toDouble(&chosen);
  m_liveState = std::make_unique<app::LiveState>(m_navigationController.get(),
                                                 chosen && chosenInterval >= 0 ? chosenInterval : configuration.refreshInterval,
                                                 [](const QString& message) {
                                                   Tools::alertWithMessageAndTitleAndCancelButton(message, QString(), foundation::localized("kTradAlertBtnOk"));
                                                 });

  m_configuration = configuration;

  // A certificate nothing vouches for is put to the user; the sign-in goes again once trusted.
  auto loginScreen = [this] { return loginPopupIsOpen() ? qobject_cast<LoginViewController*>(m_popupController.get()) : nullptr; };
  m_serverTrust = std::make_unique<app::ServerTrust>(m_window.get(), [loginScreen](app::ServerTrust::Outcome outcome) {
    LoginViewController* login = loginScreen();
    if (!login) return;
    switch (outcome) {
      case app::ServerTrust::Outcome::Asking: login->certificateInQuestion(); break;
      case app::ServerTrust::Outcome::Trusted: login->signInAgain(); break;
      case app::ServerTrust::Outcome::Refused: login->certificateRefused(); break;
    }
  });

  // The alarm code on return from the background, when the account asks for it.
  m_lockGate = std::make_unique<controls::AlarmLockGate>(m_window.get());

  // 5.
  m_window->setStatusBarHidden(false);
  m_activity = std::make_unique<app::StatusBarActivity>(m_window->statusBar());

  // 6.
  m_window->setRootViewController(m_navigationController.get());

  // 7. The session store exists before the first request, and what an earlier run stored is
  // filed in it after each sign-in.
  BESessionManager::getInstance();
  backend::StoredAnswers::getInstance();

  // 8.
  m_observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { onLoginSuccess(); });
  m_observations.add(kRefreshIntervalChanged, [this](const foundation::Notification& notification) {
    if (const double* seconds = notification.info<double>(kRefreshIntervalKey); seconds && m_liveState)
      m_liveState->setRefreshInterval(*seconds);
  });
  // A screen's "sign out"; not inside the screen's own handler, which the sign-out takes away.
  m_observations.add(kSignOutRequested, [this](const foundation::Notification& notification) {
    backend::SignOutOptions options;
    if (const bool* erase = notification.info<bool>(kSignOutEraseDataKey)) options.eraseData = *erase;
    if (const bool* keep = notification.info<bool>(kSignOutKeepPasswordKey)) options.forgetPassword = !*keep;
    QMetaObject::invokeMethod(this, [this, options] { signOut(options); }, Qt::QueuedConnection);
  });

  // 9. The window shows once the screen the user needs is in place (the menu, or the login
  // screen over it), so that its first frame is that one. Before that the keychain is asked for
  // the remembered password, in short event loops of its own that would otherwise paint the menu
  // alone.
  startSignedIn();
  if (m_startsInBackground) {
    eventAlerts()->startedInBackground();
  } else {
    m_window->makeKeyAndVisible();
  }
  // Once the menu is on screen; a window that is never drawn gets there a little later.
  app::whenFirstFrameDrawn(m_window.get(), [] { return true; }, [this] { firstFrameDrawn(); });
  QTimer::singleShot(kUndrawnSignInDelayMs, this, [this] { firstFrameDrawn(); });
  return true;
}

void TavroBoxAppAppDelegate::firstFrameDrawn() {
  if (std::exchange(m_firstFrameDrawn, true)) return;
  // The alerts first: they hear how the sign-in ends.
  eventAlerts();
  if (m_backgroundSignIn) m_backgroundSignIn->send();
}

app::EventAlerts* TavroBoxAppAppDelegate::eventAlerts() {
  if (!m_eventAlerts && m_configuration) m_eventAlerts = std::make_unique<app::EventAlerts>(*this, *m_configuration);
  return m_eventAlerts.get();
}

// -- Login popup ------------------------------------------------------------------------------

void TavroBoxAppAppDelegate::startSignedIn() {
  const QString server = BERestConfig::getInstance().baseURL();
  const auto remembered =
      foundation::startSignInFor(foundation::Preferences::standard(), foundation::SecretStore::standard(), server,
                                 BERestConfig::getInstance().configuredBaseURL());
  if (!remembered) {
    autoLogin();
    return;
  }
  m_backgroundSignIn = std::make_unique<app::BackgroundSignIn>(
      foundation::Account{remembered->login, server}, remembered->passwordDigest,
      [this](app::BackgroundSignIn::Outcome outcome) { backgroundSignInEnded(int(outcome)); });
  // Sent once the menu is on screen (firstFrameDrawn()).
  if (m_firstFrameDrawn) m_backgroundSignIn->send();
  // A start that needs no password asks the alarm code instead, when the account chose so.
  m_lockGate->start();
}

void TavroBoxAppAppDelegate::backgroundSignInEnded(int outcome) {
  // Not destroyed inside its own callback.
  if (m_backgroundSignIn) m_backgroundSignIn.release()->deleteLater();
  switch (app::BackgroundSignIn::Outcome(outcome)) {
    case app::BackgroundSignIn::Outcome::SignedIn:
      // What was opened meanwhile showed the stored answers; it now reads the service's.
      if (m_liveState) m_liveState->refreshTopScreen();
      return;
    case app::BackgroundSignIn::Outcome::Refused:
    case app::BackgroundSignIn::Outcome::Unreachable: {
      showLoginScreen();
      if (auto* login = qobject_cast<LoginViewController*>(m_popupController.get()))
        login->signInFailedBehind(app::BackgroundSignIn::Outcome(outcome) == app::BackgroundSignIn::Outcome::Refused);
      return;
    }
  }
}

void TavroBoxAppAppDelegate::signOut(const backend::SignOutOptions& options) {
  m_loginTimer.invalidate();
  backend::SignOutOptions ending = options;
  // Signed out before the start's sign-in answered: that account is the one leaving.
  if (m_backgroundSignIn && !ending.account.isValid()) ending.account = m_backgroundSignIn->account();
  m_backgroundSignIn.reset();
  m_isLogOut = false;
  if (m_eventAlerts) m_eventAlerts->stopWatching();
  backend::endSession(ending);
  // Nothing of that session stays in view: its screens go, and the alerts it raised with them.
  m_navigationController->popToRootViewControllerAnimated(false);
  for (ui::AlertView* alert : m_window->alerts()) alert->dismissWithClickedButtonIndex(alert->cancelButtonIndex(), false);
  showLoginScreen();
  if (auto* login = qobject_cast<LoginViewController*>(m_popupController.get())) login->offerAccounts();
}

void TavroBoxAppAppDelegate::autoLogin() {
  // Without a remembered password the login screen must not fill its fields.
  foundation::Preferences& preferences = foundation::Preferences::standard();
  const bool remembered = foundation::rememberedSignIn(preferences, foundation::SecretStore::standard()).has_value();
  if (!remembered) preferences.remove(foundation::kAutoLogPref);
  showLoginScreen();

  // Credentials the user asked to be remembered were confirmed once: the sign-in goes by itself,
  // its progress and any refusal in the login screen's status line as after a return key. Then
  // the screens open on what this user's last run stored (backend::StoredAnswers).
  auto* login = qobject_cast<LoginViewController*>(m_popupController.get());
  if (remembered && login) QMetaObject::invokeMethod(login, [login] { login->performLogin(); }, Qt::QueuedConnection);
  // A start that needs no password asks the alarm code instead, when the account chose so.
  if (remembered) m_lockGate->start();
}

void TavroBoxAppAppDelegate::showLoginScreen() { showPopupScreen(kLoginScreenName); }

bool TavroBoxAppAppDelegate::loginPopupIsOpen() const {
  return m_popupWindow && !m_popupFading && qobject_cast<LoginViewController*>(m_popupController.get());
}

void TavroBoxAppAppDelegate::showPopupScreen(const QString& name) {
  const bool login = name == kLoginScreenName;
  // Two alerts answered during one time-out would otherwise stack two login popups, of which only
  // the top one goes away after the sign-in.
  if (login && loginPopupIsOpen()) return;

  // A popup still fading out goes at once: its screen is about to be replaced.
  if (m_popupWindow) releasePopupWindow(m_popupWindow);
  // Its screen measures its texts as it is built: the fonts must be ready (at start they may
  // still be read on their thread).
  ui::Fonts::waitForPreparation();

  // 1.
  if (login) {
    auto screen = std::make_unique<LoginViewController>();
    // A certificate refused earlier in the run is put to the user again only when he asks for it.
    connect(screen.get(), &LoginViewController::signInAskedByUser, this, [this] {
      if (m_serverTrust) m_serverTrust->askAgain();
    });
    // An account of another server: the session here ends as "Changer de compte" ends it.
    connect(screen.get(), &LoginViewController::leavingServer, this, [this] {
      if (m_backgroundSignIn || !backend::currentAccount().user.isEmpty()) signOut({.forgetPassword = false});
    });
    m_popupController = std::move(screen);
  }
  if (!m_popupController) return;

  // 2.-4.
  m_popupWindow = new ui::PopupWindow(m_window.get(), ui::WindowLevel::Alert);
  m_popupWindow->setObjectName(QStringLiteral("loginPopup"));
  m_popupFading = false;
  m_releasedPopup = false;
  m_popupWindow->setRootViewController(m_popupController.get());
  m_popupWindow->makeKeyAndVisible();
}

void TavroBoxAppAppDelegate::hideLoginScreen() {
  hidePopupScreen([this](const QString& animationId, bool finished, ui::PopupWindow* context) {
    loginScreenHiddenFinishedContext(animationId, finished, context);
  });
}

void TavroBoxAppAppDelegate::hidePopupScreen(FadeCompletion completion) {
  // 1.
  if (!m_releasedPopup && m_popupWindow && !m_popupFading) {
    m_popupFading = true;
    QPointer<ui::PopupWindow> popup = m_popupWindow;
    const QString animationId = QString::fromLatin1(kPopupFadeAnimation);
    ui::Animation::run(
        popup, kPopupFadeAnimation, kPopupFadeSeconds, [popup](double p) { ui::setAlpha(popup, 1.0 - p); },
        [popup, animationId, completion](bool finished) {
          if (completion && popup) completion(animationId, finished, popup);
        },
        ui::Curve::Linear);
  }
  // 2. At once, without waiting for the fade.
  m_isLogOut = false;
  foundation::NotificationCenter::defaultCenter().post(kRenewSession);
}

void TavroBoxAppAppDelegate::loginScreenHiddenFinishedContext(const QString&, bool, ui::PopupWindow* context) {
  if (context) releasePopupWindow(context);
}

void TavroBoxAppAppDelegate::releasePopupWindow(ui::PopupWindow* popup) {
  ui::Animation::stop(popup, kPopupFadeAnimation);
  popup->resignKeyWindow();
  popup->hide();
  // Not deleted inside the fade's own completion: the animation is still on the stack.
  popup->setObjectName(QString());
  popup->deleteLater();
  if (popup == m_popupWindow) {
    m_popupWindow = nullptr;
    m_popupFading = false;
    m_releasedPopup = true;
  }
}

void TavroBoxAppAppDelegate::onLoginSuccess() {
  // A sign-in behind the menu has no popup to take away, and what the user opened meanwhile stays.
  if (!m_popupWindow) return;
  m_loginTimer = foundation::Timer::singleShot(kLoginScreenDelaySeconds, [this] { onLoginSuccessAfterTimer(); });
}

void TavroBoxAppAppDelegate::onLoginSuccessAfterTimer() {
  hideLoginScreen();
  if (auto* login = qobject_cast<LoginViewController*>(m_popupController.get())) login->hideKeyboard();
}

// -- Alerts -----------------------------------------------------------------------------------

void TavroBoxAppAppDelegate::alertWithMessageKey(const char* key) {
  alertWithMessageAndTitleAndCancelButton(foundation::localized(key), QString(), foundation::localized("kTradAlertBtnOk"));
}

void TavroBoxAppAppDelegate::alertGatewayOff() { alertWithMessageKey("kTradAlertGatewayOff"); }
void TavroBoxAppAppDelegate::alertPrivacyMode() { alertWithMessageKey("kTradAlertPrivacyMode"); }
void TavroBoxAppAppDelegate::alertGatewayRefused() { alertWithMessageKey("kTradAlertGatewayRefused"); }
void TavroBoxAppAppDelegate::alertConnection4xx() { alertWithMessageKey("kTradAlertConnection4xx"); }
void TavroBoxAppAppDelegate::alertConnection5xx() { alertWithMessageKey("kTradAlertConnection5xx"); }
void TavroBoxAppAppDelegate::alertNoRecOption() { alertWithMessageKey("kTradNoRecOption"); }

void TavroBoxAppAppDelegate::alertSessionTimeOut() {
  // One time-out alert at a time, however many requests fail with 403.
  if (m_isLogOut) return;
  // Nobody looks at the window: the session is renewed without a word when it can be.
  if (m_eventAlerts && m_eventAlerts->renewSessionQuietly()) return;
  m_isLogOut = true;
  alertWithMessageKey("kTradAlertSessionTimeOut");
}

void TavroBoxAppAppDelegate::alertWithMessageAndTitleAndCancelButton(const QString& message, const QString& title,
                                                                     const QString& cancelButtonTitle) {
  (new ui::AlertView(title, message, this, cancelButtonTitle))->show(m_window.get());
}

void TavroBoxAppAppDelegate::alertViewClickedButtonAtIndex(ui::AlertView*, int buttonIndex) {
  if (buttonIndex == 0 && m_isLogOut) getNewSessionAfterLogOut();
}

void TavroBoxAppAppDelegate::getNewSessionAfterLogOut() {
  m_releasedPopup = false;
  autoLogin();
}
