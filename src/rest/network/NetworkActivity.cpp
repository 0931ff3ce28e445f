#include "rest/network/NetworkActivity.h"

#include "foundation/Logging.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <mutex>

namespace rest {

namespace {
std::mutex g_mutex;
int g_count = 0;
NetworkActivityIndicator* g_indicator = nullptr;

bool onMainThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void showIndicator() {
  NetworkActivityIndicator* indicator;
  int count;
  {
    std::lock_guard lock(g_mutex);
    indicator = g_indicator;
    count = g_count;
  }
  if (indicator) indicator->setVisible(count > 0);
}
}  // namespace

void setNetworkActivityIndicator(NetworkActivityIndicator* indicator) {
  {
    std::lock_guard lock(g_mutex);
    g_indicator = indicator;
  }
  refreshActivityIndicator();
}

void refreshActivityIndicator() {
  if (onMainThread()) showIndicator();
  else QMetaObject::invokeMethod(QCoreApplication::instance(), &showIndicator, Qt::QueuedConnection);
}

void pushNetworkActivity() {
  {
    std::lock_guard lock(g_mutex);
    ++g_count;
  }
  refreshActivityIndicator();
}

void popNetworkActivity() {
  bool unbalanced = false;
  {
    std::lock_guard lock(g_mutex);
    if (g_count > 0) --g_count;
    else unbalanced = true;
  }
  if (unbalanced) qCCritical(lcApp) << "Unbalanced network activity: count already 0.";
  refreshActivityIndicator();
}

void resetNetworkActivity() {
  {
    std::lock_guard lock(g_mutex);
    g_count = 0;
  }
  refreshActivityIndicator();
}

int networkActivityCount() {
  std::lock_guard lock(g_mutex);
  return g_count;
}

}  // namespace rest
