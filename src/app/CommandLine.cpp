#include "app/CommandLine.h"

#include "ui/Window.h"

namespace app {
namespace {

constexpr const char* kDomain = "app.options";

foundation::Error optionError(const QString& text) { return foundation::Error{kDomain, 1, text.toStdString(), -1}; }

}  // namespace

QString usage(const QString& program) {
  return QStringLiteral(
             "Usage: %1 [--config FILE] [--lang fr|en] [--scale N] [--tour DIR] [--exit-after-first-frame]\n"
             "       [--background] [--version]\n"
             "The TavroBox app: sign in to the cloud service and drive the home.\n\n"
             "  --config FILE  configuration to use (default: $TAVROBOX_CONFIG, then\n"
             "                 ~/.config/TavroBox/tavrobox.conf, then the local simulated service)\n"
             "  --lang fr|en   language of the texts (default: the system's, else French)\n"
             "  --scale N      size of the phone window, 0.5 to 4 (default 1)\n"
             "  --tour DIR     sign in with the configured demo user, save a picture of the login,\n"
             "                 the menu, an alert and every screen into DIR, and exit (offscreen)\n"
             "  --exit-after-first-frame\n"
             "                 once the login screen's first frame is drawn, print how long that\n"
             "                 took since the program started and the resident memory, and exit\n"
             "                 (start-up measurements; no effect with --tour)\n"
             "  --background   start with no window: watch for alarms and tell them as desktop\n"
             "                 notifications (the tray icon or a notification opens the window)\n"
             "  --version      print the version and exit\n"
             "  -h, --help     show this help\n")
      .arg(program);
}

foundation::Result<LaunchOptions> parseLaunchOptions(const QStringList& arguments) {
  LaunchOptions options;
  const auto scale = ui::Window::displayScaleFromArguments(arguments);
  if (!scale) return scale.error();
  options.scale = *scale;

  for (int i = 1; i < arguments.size(); ++i) {
    QString arg = arguments[i];
    QString value;
    bool inlineValue = false;
    if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
      value = arg.section(QLatin1Char('='), 1);
      arg = arg.section(QLatin1Char('='), 0, 0);
      inlineValue = true;
    }
    auto take = [&](const QString& what) -> foundation::Result<QString> {
      if (inlineValue) {
        if (value.isEmpty()) return optionError(QStringLiteral("%1 needs %2").arg(arg, what));
        return value;
      }
      if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QLatin1String("--")))
        return optionError(QStringLiteral("%1 needs %2").arg(arg, what));
      return arguments[++i];
    };

    if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
      options.help = true;
    } else if (arg == QLatin1String("--version")) {
      options.version = true;
    } else if (arg == QLatin1String("--background")) {
      options.background = true;
    } else if (arg == QLatin1String("--exit-after-first-frame")) {
      options.exitAfterFirstFrame = true;
    } else if (arg == QLatin1String("--scale")) {
      if (!inlineValue) ++i;  // read above
    } else if (arg == QLatin1String("--config")) {
      auto v = take(QStringLiteral("a file"));
      if (!v) return v.error();
      options.configPath = *v;
    } else if (arg == QLatin1String("--lang")) {
      auto v = take(QStringLiteral("a language (fr or en)"));
      if (!v) return v.error();
      const QString lang = v->toLower();
      if (lang != QLatin1String("fr") && lang != QLatin1String("en"))
        return optionError(QStringLiteral("--lang takes fr or en, not \"%1\"").arg(*v));
      options.language = lang;
    } else if (arg == QLatin1String("--tour")) {
      auto v = take(QStringLiteral("a folder for the pictures"));
      if (!v) return v.error();
      options.tourDir = *v;
    } else if (arg.startsWith(QLatin1Char('-'))) {
      return optionError(QStringLiteral("unknown option %1").arg(arguments[i]));
    } else {
      return optionError(QStringLiteral("unexpected argument \"%1\"").arg(arguments[i]));
    }
  }
  return options;
}

}  // namespace app
