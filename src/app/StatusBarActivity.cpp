#include "app/StatusBarActivity.h"

#include "ui/StatusBar.h"

namespace app {

StatusBarActivity::StatusBarActivity(ui::StatusBar* statusBar) : m_statusBar(statusBar) {
  rest::setNetworkActivityIndicator(this);
}

StatusBarActivity::~StatusBarActivity() { rest::setNetworkActivityIndicator(nullptr); }

void StatusBarActivity::setVisible(bool visible) {
  if (m_statusBar) m_statusBar->setNetworkActivityVisible(visible);
}

}  // namespace app
