#pragma once
// The options of the `tavrobox` program. Read before the application object exists, because the
// display scale has to be known by then.
#include "foundation/Result.h"

#include <QString>
#include <QStringList>

namespace app {

struct LaunchOptions {
  QString configPath;  // --config FILE; "" looks the configuration up the usual way
  QString language;    // --lang fr|en; "" follows the system
  double scale = 1.0;  // --scale N
  QString tourDir;     // --tour DIR; "" runs the app
  bool help = false;
  bool version = false;  // --version: print the version and stop
  bool exitAfterFirstFrame = false;  // --exit-after-first-frame: start-up measurements
  bool background = false;  // --background: start with no window, watching for events
};

// `arguments` includes the program name first. Errors name the option at fault.
foundation::Result<LaunchOptions> parseLaunchOptions(const QStringList& arguments);
QString usage(const QString& program);

}  // namespace app
