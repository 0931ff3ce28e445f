#pragma once
// Alarms that reach the user when the app is not in front. For the signed-in account it runs the
// event watcher (from each sign-in until stopWatching()), also while the window is hidden,
// minimised or closed to the tray, and tells each new event:
// - as a desktop notification while the window is not the active one: one per event, the most
//   urgent first, up to kMaxSingleNotices, then one summary for the whole batch; a camera's event
//   carries that camera's still picture; its action brings the window up on the history (or on
//   the supervision of that camera);
// - as a banner inside the window for an alarm, whenever the window shows.
// With the preference on (BackgroundPreferences), closing the window hides it and the app goes on
// in the background (in the tray when the desktop has one); otherwise closing quits, as always.
// While in the background a lost session is renewed quietly with the remembered credentials; when
// there are none or they are refused, one notification asks the user to sign in.
#include "app/DesktopNotifier.h"

#include "backend/EventWatcher.h"
#include "backend/ServiceCalls.h"
#include "foundation/Configuration.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class TavroBoxAppAppDelegate;

namespace app {

class AlarmBanner;
class SingleInstance;
class TrayIcon;

class EventAlerts : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMaxSingleNotices = 3;
  // From a sign-in to the first look at the history.
  static constexpr double kFirstLookSeconds = 3.0;
  // The screens a notification or the tray opens.
  static constexpr const char* kHistoryScreen = "MyHistoryController";
  static constexpr const char* kSupervisionScreen = "MySupervisionController";
  static constexpr const char* kHomeScreen = "MyHomeController";

  // `bus` carries the notifications.
  EventAlerts(TavroBoxAppAppDelegate& app, const foundation::Configuration& configuration,
              QDBusConnection bus = QDBusConnection::sessionBus());
  ~EventAlerts() override;

  backend::EventWatcher& watcher() { return m_watcher; }
  DesktopNotifier& notifier() { return *m_notifier; }
  // The tray's icon and menu (the icon shows when the desktop has a tray). Built in the event
  // loop's turn after these alerts, or when first asked for.
  TrayIcon* tray();
  AlarmBanner* banner() const;
  // The account watched ("" when none).
  const QString& account() const { return m_account; }

  // Signed out: nothing is watched until the next sign-in.
  void stopWatching();
  // The app started with no window (--background): without remembered credentials the user is
  // asked to sign in.
  void startedInBackground();
  // Ends the app (the tray's "Quit", the window closed with the preference off); what ends it is
  // QCoreApplication::quit unless told otherwise.
  void quit();
  void setQuitAction(std::function<void()> quit) { m_quit = std::move(quit); }

  // Brings the window up, on top, with that screen open (the menu's class name; "" leaves the
  // screens as they are); for the supervision, on the page of `camera` when given.
  void showWindow(const QString& screen = {}, const QString& camera = {});
  // Whether the user sees the window now (shown, not minimised, and the active window).
  bool windowInFront() const;
  // Hidden, minimised or closed to the tray.
  bool inBackground() const;

  // Called on a lost session (403). In the background, signs in again with the remembered
  // credentials without a word and returns true; in the foreground returns false (the app's
  // alert and login screen handle it).
  bool renewSessionQuietly();

  // What the new events are told as (the watcher's signal lands here).
  void tell(const QList<backend::WatchedEvent>& events);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void signedIn();
  void notifyEvent(const backend::WatchedEvent& event);
  void notifyWithPicture(DesktopNotifier::Notice notice, const QString& camera);
  void askToSignIn();
  void activated(const QString& context);

  TavroBoxAppAppDelegate& m_app;
  foundation::Configuration m_configuration;
  std::function<void()> m_quit;
  backend::EventWatcher m_watcher;
  std::unique_ptr<DesktopNotifier> m_notifier;
  std::unique_ptr<TrayIcon> m_tray;
  std::unique_ptr<SingleInstance> m_instance;
  QPointer<AlarmBanner> m_banner;
  QString m_account;
  enum class Renewal { None, Quiet, AskedUser };
  Renewal m_renewal = Renewal::None;
  foundation::Observations m_observations;
  backend::ServiceCalls m_calls;
  foundation::Timer m_firstLook;
};

}  // namespace app
