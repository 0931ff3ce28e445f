#pragma once
// The application object: starts the system, owns the main window with its navigation stack (the
// main menu at the root) and the login popup above it, and turns the status-code notifications
// into one-button alerts. It is the only place where a lost session (403) leads back to the
// login screen, and, after the new sign-in, back to the menu (kRenewSession).
#include "foundation/Configuration.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/AlertView.h"
#include "ui/PopupWindow.h"
#include "ui/ProgressHUD.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace ui {
class NavigationController;
class Screen;
class Window;
}  // namespace ui

namespace controls {
class AlarmLockGate;
}

namespace backend {
struct SignOutOptions;
}

namespace app {
class BackgroundSignIn;
class EventAlerts;
class LiveState;
class ServerTrust;
class StatusBarActivity;
}

class RootViewController;

class TavroBoxAppAppDelegate : public QObject, public ui::AlertViewDelegate {
  Q_OBJECT
 public:
  static constexpr double kLoginScreenDelaySeconds = 2.0;
  static constexpr double kPopupFadeSeconds = 0.5;
  static constexpr const char* kPopupFadeAnimation = "popupFateOut";

  // Makes the main window and its navigation stack with the menu at the root.
  explicit TavroBoxAppAppDelegate(QObject* parent = nullptr);
  ~TavroBoxAppAppDelegate() override;

  // Start-up with the deployment's configuration; returns true.
  bool applicationDidFinishLaunchingWithOptions(const foundation::Configuration& configuration);

  ui::Window* window() const { return m_window.get(); }
  ui::NavigationController* navigationController() const { return m_navigationController.get(); }
  RootViewController* rootViewController() const { return m_root; }
  ui::Screen* popupController() const { return m_popupController.get(); }
  ui::PopupWindow* popupWindow() const { return m_popupWindow; }
  ui::ProgressHUD* progressHUD() const { return m_hud; }
  app::LiveState* liveState() const { return m_liveState.get(); }
  app::ServerTrust* serverTrust() const { return m_serverTrust.get(); }
  controls::AlarmLockGate* lockGate() const { return m_lockGate.get(); }
  // Alarms told while the window is not in front, the tray, closing to the background. Built
  // once the first frame is drawn (nothing of it shows there), or when first asked for.
  app::EventAlerts* eventAlerts();
  // Before launching: start with no window (in the background).
  void setStartsInBackground(bool background) { m_startsInBackground = background; }
  bool releasedPopup() const { return m_releasedPopup; }
  bool isLogOut() const { return m_isLogOut; }

  // At launch: with remembered credentials of this service, the menu at once and their sign-in
  // behind it (the login only if it fails); otherwise the login popup.
  void startSignedIn();
  // What waits for the window's first frame: the alerts and the remembered sign-in. Once.
  void firstFrameDrawn();
  // The sign-in behind the menu, while it is under way.
  app::BackgroundSignIn* backgroundSignIn() const { return m_backgroundSignIn.get(); }
  // Ends the session of the signed-in account (see backend::endSession), brings every screen back
  // to the menu and shows the login, which offers the accounts used before.
  void signOut(const backend::SignOutOptions& options);

  void autoLogin();
  void showLoginScreen();
  // Opens the popup window with the screen of that name ("LoginViewController" makes a new login
  // screen; any other name keeps the current one). At most one login popup is open at a time.
  void showPopupScreen(const QString& name);
  void hideLoginScreen();
  // Fades the popup out (`completion` hears the end of the fade) and announces the renewed session
  // at once, without waiting for the fade.
  using FadeCompletion = std::function<void(const QString& animationId, bool finished, ui::PopupWindow* context)>;
  void hidePopupScreen(FadeCompletion completion);
  // End of the fade: `context` is the popup that faded out; it is released.
  void loginScreenHiddenFinishedContext(const QString& animationId, bool finished, ui::PopupWindow* context);

  void onLoginSuccess();
  void onLoginSuccessAfterTimer();

  void alertGatewayOff();
  void alertPrivacyMode();
  void alertGatewayRefused();
  void alertSessionTimeOut();
  void alertConnection4xx();
  void alertConnection5xx();
  void alertNoRecOption();
  // A modal one-button alert with this object as its delegate.
  void alertWithMessageAndTitleAndCancelButton(const QString& message, const QString& title,
                                               const QString& cancelButtonTitle);
  void alertViewClickedButtonAtIndex(ui::AlertView* alertView, int buttonIndex) override;

  void getNewSessionAfterLogOut();

 private:
  void alertWithMessageKey(const char* key);
  // A login popup that is on show and not on its way out.
  bool loginPopupIsOpen() const;
  void releasePopupWindow(ui::PopupWindow* popup);
  void backgroundSignInEnded(int outcome);

  std::unique_ptr<ui::Screen> m_popupController;
  std::unique_ptr<ui::Window> m_window;
  std::unique_ptr<ui::NavigationController> m_navigationController;
  RootViewController* m_root = nullptr;  // owned by the navigation controller
  QPointer<ui::PopupWindow> m_popupWindow;
  QPointer<ui::ProgressHUD> m_hud;
  std::unique_ptr<app::StatusBarActivity> m_activity;
  std::unique_ptr<app::LiveState> m_liveState;
  std::unique_ptr<app::ServerTrust> m_serverTrust;
  std::unique_ptr<controls::AlarmLockGate> m_lockGate;
  std::unique_ptr<app::BackgroundSignIn> m_backgroundSignIn;
  std::unique_ptr<app::EventAlerts> m_eventAlerts;
  std::optional<foundation::Configuration> m_configuration;  // from launch on
  bool m_firstFrameDrawn = false;
  bool m_startsInBackground = false;
  bool m_popupFading = false;
  bool m_releasedPopup = false;
  bool m_isLogOut = false;
  foundation::Observations m_observations;
  foundation::Timer m_loginTimer;
};
