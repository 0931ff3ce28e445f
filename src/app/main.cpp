// tavrobox: the application. Reads the options and the configuration, sets up logging, texts and
// TLS trust, then hands over to the application object; with --tour it runs the tour offscreen
// instead of waiting for the user.
#include "app/CommandLine.h"
#include "app/FirstFrame.h"
#include "app/SingleInstance.h"
#include "app/TavroBoxAppAppDelegate.h"
#include "app/Tour.h"

#include "foundation/Configuration.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/SettingsKeys.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "rest/network/TlsTrust.h"
#include "ui/Animation.h"
#include "ui/ArtCache.h"
#include "ui/Fonts.h"
#include "ui/Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const auto options = app::parseLaunchOptions(arguments);
  if (!options) {
    std::fprintf(stderr, "tavrobox: %s\n\n%s", options.error().message.c_str(), qPrintable(app::usage(QStringLiteral("tavrobox"))));
    return 2;
  }
  if (options->help) {
    std::fputs(qPrintable(app::usage(QStringLiteral("tavrobox"))), stdout);
    return 0;
  }
  if (options->version) {
    std::printf("tavrobox %s\n", TB_VERSION);
    return 0;
  }
  // The fonts are read on a thread of their own while the start builds the screens.
  ui::Fonts::prepareInBackground();
  const bool tour = !options->tourDir.isEmpty();
  // The tour needs no display.
  if (tour && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (options->scale != 1.0) ui::Window::setDisplayScale(options->scale);

  QApplication::setApplicationName(QStringLiteral("TavroBox"));
  QApplication application(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(TB_VERSION));
  foundation::installLogging();
  // The art drawn at start is read back from what earlier runs rendered.
  ui::ArtCache::setFolder(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/art"));

  const auto configuration = foundation::Configuration::load(options->configPath);
  if (!configuration) {
    std::fprintf(stderr, "tavrobox: configuration error: %s\n", configuration.error().message.c_str());
    return 1;
  }
  // The command line's language, else the one chosen in the settings, else the system's.
  QString language = options->language;
  if (language.isEmpty() && !tour) language = foundation::Preferences::standard().string(QString::fromLatin1(foundation::kLanguagePref));
  foundation::loadStrings(language);

  // Trust exactly the certificates the configuration names; one that cannot be used would only
  // show up later as a refused sign-in, so it stops the start here with its reason.
  QStringList problems;
  rest::setTlsTrustSettings(rest::TlsTrustSettings::fromConfiguration(*configuration, &problems));
  if (!problems.isEmpty()) {
    const QString source = configuration->sourcePath.isEmpty() ? QStringLiteral("built-in configuration") : configuration->sourcePath;
    for (const QString& problem : problems)
      std::fprintf(stderr, "tavrobox: configuration error: %s: %s\n", qPrintable(source), qPrintable(problem));
    return 1;
  }

  // The tour signs in with the demo user: it keeps its preferences apart from the user's own
  // remembered credentials, and does not wait for animations.
  std::unique_ptr<QTemporaryDir> tourPreferences;
  if (tour) {
    tourPreferences = std::make_unique<QTemporaryDir>();
    foundation::Preferences::setStandard(
        std::make_unique<foundation::Preferences>(tourPreferences->filePath(QStringLiteral("tavrobox.prefs"))));
    foundation::SecretStore::setStandard(std::make_unique<foundation::PreferencesSecretStore>(foundation::Preferences::standard()));
    ui::Animation::setDurationScale(0);
  }

  // Another app watches this service already: it shows its window instead.
  if (!tour && !options->exitAfterFirstFrame &&
      app::SingleInstance::handOver(QDBusConnection::sessionBus(), configuration->baseURL(), options->background))
    return 0;

  TavroBoxAppAppDelegate delegate;
  delegate.setStartsInBackground(options->background && !tour);
  delegate.applicationDidFinishLaunchingWithOptions(*configuration);
  if (!tour && options->exitAfterFirstFrame) {
    // Start-up measurements: the run ends with the first frame that shows the screen the user
    // needs: the login, or the menu when remembered credentials sign in behind it.
    app::whenFirstFrameDrawn(
        delegate.window(), [&delegate] { return !delegate.popupWindow() || delegate.popupWindow()->isVisible(); },
        [&sinceStart] {
          std::printf("first frame: %lld ms after main(), resident %lld kB\n", static_cast<long long>(sinceStart.elapsed()),
                      static_cast<long long>(app::residentMemoryKb()));
          std::fflush(stdout);
          QCoreApplication::exit(0);
        });
  }
  ui::Fonts::waitForPreparation();
  if (!tour) return QApplication::exec();

  QTextStream out(stdout);
  QTextStream err(stderr);
  app::Tour run(delegate, *configuration, options->tourDir, sinceStart, out, err);
  return run.run();
}
