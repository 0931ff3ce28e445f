// The controls gallery on its own, for looking at the themed controls on a desktop:
//   tb_controls_gallery [--scale X] [--lang fr|en] [--screenshots DIR]
// With --screenshots it renders every page and each of its further states offscreen into DIR
// ("controls-<page>.png", "controls-<page>-<state>.png") and exits.
#include "controls/CustomNavBar.h"
#include "controls/gallery/ControlsGalleryScreen.h"

#include "foundation/Strings.h"
#include "ui/Animation.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

QString valueOf(const QStringList& args, const QString& option, bool* missing) {
  const int at = int(args.indexOf(option));
  if (at < 0) return QString();
  if (at + 1 >= args.size()) {
    *missing = true;
    return QString();
  }
  return args[at + 1];
}

bool save(ui::Window& window, const QString& dir, const QString& name) {
  QApplication::processEvents();
  const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
  const bool ok = window.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const auto scale = ui::Window::displayScaleFromArguments(args);
  if (!scale) {
    std::fprintf(stderr, "tb_controls_gallery: %s\n", scale.error().message.c_str());
    return 2;
  }
  bool missing = false;
  const QString shots = valueOf(args, QStringLiteral("--screenshots"), &missing);
  const QString language = valueOf(args, QStringLiteral("--lang"), &missing);
  if (missing) {
    std::fprintf(stderr, "usage: tb_controls_gallery [--scale X] [--lang fr|en] [--screenshots DIR]\n");
    return 2;
  }
  if (!shots.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (*scale != 1.0) ui::Window::setDisplayScale(*scale);
  QApplication app(argc, argv);
  foundation::loadStrings(language);

  ui::Window window;
  auto* index = new controls::gallery::ControlsGalleryScreen();
  ui::NavigationController navigation(index);
  navigation.setNavigationBar(new CustomNavBar());
  window.setRootViewController(&navigation);
  window.makeKeyAndVisible();
  if (shots.isEmpty()) return app.exec();

  if (!QDir().mkpath(shots)) {
    std::fprintf(stderr, "tb_controls_gallery: cannot create %s\n", qPrintable(shots));
    return 1;
  }
  ui::Animation::setDurationScale(0);
  bool ok = save(window, shots, QStringLiteral("controls-index"));
  const int pages = int(controls::gallery::galleryPages().size());
  for (int i = 0; i < pages; ++i) {
    auto* screen = index->openPage(i, false);
    const QString name = QStringLiteral("controls-") + screen->page()->name();
    ok &= save(window, shots, name);
    for (const QString& state : screen->page()->states()) {
      screen->page()->enterState(state);
      ok &= save(window, shots, name + QLatin1Char('-') + state);
    }
    navigation.popToRootViewControllerAnimated(false);
  }
  return ok ? 0 : 1;
}
