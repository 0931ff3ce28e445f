#include "app/StatusBarActivity.h"

#include "ui/StatusBar.h"

namespace app {

StatusBarActivity::StatusBarActivity(ui::StatusBar* statusBar) : m_statusBar(statusBar) {
  rest::setNetworkActivityIndicator(this);
}

StatusBarActivity::~StatusBarActivity() { rest::setNetworkActivityIndicator(nullptr); }

void StatusBarActivity::setVisible(bool visible) {
  if (!visible) {
    m_showSoon.invalidate();
    if (m_statusBar) m_statusBar->setNetworkActivityVisible(false);
    return;
  }
  if (m_showSoon.isValid() || (m_statusBar && m_statusBar->isNetworkActivityVisible())) return;
  m_showSoon = foundation::Timer::singleShot(kShowAfterSeconds, [this] {
    if (m_statusBar) m_statusBar->setNetworkActivityVisible(true);
  });
}

}  // namespace app
