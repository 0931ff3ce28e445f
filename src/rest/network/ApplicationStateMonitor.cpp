#include "rest/network/ApplicationStateMonitor.h"

#include "foundation/NotificationCenter.h"
#include "rest/network/RestNotifications.h"

#include <QGuiApplication>

namespace rest {

void watchApplicationState() {
  static bool connected = false;
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (connected || !app) return;
  connected = true;
  QObject::connect(app, &QGuiApplication::applicationStateChanged, app, [](Qt::ApplicationState state) {
    static bool inBackground = false;
    const bool background = state == Qt::ApplicationHidden || state == Qt::ApplicationSuspended;
    if (background == inBackground) return;  // active <-> inactive is not a change of side
    inBackground = background;
    foundation::NotificationCenter::defaultCenter().post(
        background ? RestApplicationDidEnterBackgroundNotification : RestApplicationWillEnterForegroundNotification);
  });
}

}  // namespace rest
