#pragma once
// Connects the REST layer's network activity counter to the spinner of a window's status bar.
// Installed for as long as it lives. The spinner shows once the network has been busy for a
// moment: an answer that comes at once (a camera's still every 5 s, a refresh) neither flickers
// it nor repaints the bar and the window under it twice a request.
#include "foundation/Timer.h"
#include "rest/network/NetworkActivity.h"

#include <QPointer>

namespace ui {
class StatusBar;
}

namespace app {

class StatusBarActivity final : public rest::NetworkActivityIndicator {
 public:
  explicit StatusBarActivity(ui::StatusBar* statusBar);
  ~StatusBarActivity() override;
  StatusBarActivity(const StatusBarActivity&) = delete;
  StatusBarActivity& operator=(const StatusBarActivity&) = delete;

  void setVisible(bool visible) override;

  static constexpr double kShowAfterSeconds = 0.3;

 private:
  QPointer<ui::StatusBar> m_statusBar;
  foundation::Timer m_showSoon;
};

}  // namespace app
