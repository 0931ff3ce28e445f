#pragma once
// Keeps what the user sees current and honest:
// - the open screen (when it is controls::Refreshable) reads again every RefreshInterval seconds
//   while it is on top, when the app comes back to the foreground, when the service answers again
//   after being out of reach, and when the user pulls its list past the top (with a spinner
//   until the answers are in);
// - while the service cannot be reached (backend::ServiceReachability), a thin banner under the
//   navigation bar says so, and a command refused for that reason raises one alert saying the same;
// - while the open screen shows an earlier run's stored answers (backend::StoredAnswers), a notice
//   at the foot of the screen says when the service last confirmed them, until it answers again.
//   Being out of reach says more, so the offline banner replaces it.
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"

#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/ActivityIndicatorView.h"
#include "ui/Label.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace ui {
class NavigationController;
class Screen;
}  // namespace ui

namespace app {

class LiveState : public QObject {
  Q_OBJECT
 public:
  static constexpr int kBannerHeight = 22;
  // How far past the top a list must be pulled (points) for a release to refresh it.
  static constexpr double kPullDistance = 60.0;
  static constexpr double kSpinnerLimitSeconds = 15.0;

  // `alert` shows a one-button alert with the given message.
  LiveState(ui::NavigationController* navigation, double refreshInterval, std::function<void(const QString&)> alert);
  ~LiveState() override;

  ui::Label* banner() const { return m_banner; }
  ui::Label* storedBanner() const { return m_storedBanner; }
  ui::ActivityIndicatorView* pullSpinner() const { return m_spinner; }
  int refreshCount() const { return m_refreshes; }

  // Asks the top screen to read again, when it can.
  void refreshTopScreen();
  // Seconds between two reads of the open screen (0: none); counts from now.
  void setRefreshInterval(double seconds);
  double refreshInterval() const { return m_refreshInterval; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void reachabilityChanged();
  void layoutStoredNotice();
  void updateStoredBanner();
  void watchTopScreen();
  void pulled(QPointF offset);
  void hideSpinnerWhenIdle();

  QPointer<ui::NavigationController> m_navigation;
  std::function<void(const QString&)> m_alert;
  QPointer<ui::Label> m_banner;
  QPointer<ui::Label> m_storedBanner;
  QPointer<ui::ActivityIndicatorView> m_spinner;
  QPointer<ui::Screen> m_watched;
  QMetaObject::Connection m_pullConnection;
  foundation::Observations m_observations;
  foundation::Timer m_refreshTimer;
  foundation::Timer m_spinnerLimit;
  double m_refreshInterval;
  int m_refreshes = 0;
};

}  // namespace app
