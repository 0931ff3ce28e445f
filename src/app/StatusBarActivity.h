#pragma once
// Connects the REST layer's network activity counter to the spinner of a window's status bar.
// Installed for as long as it lives.
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

 private:
  QPointer<ui::StatusBar> m_statusBar;
};

}  // namespace app
