// The toolkit gallery: the phone window with a few screens built from the toolkit's pieces.
//   tb_ui_gallery [--scale X] [--screenshots DIR]
// With --screenshots it renders a series of states offscreen into DIR as PNG files and exits.
#include "gallery/GalleryScreens.h"

#include "ui/Animation.h"
#include "ui/AlertView.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Orientation.h"
#include "ui/ProgressHUD.h"
#include "ui/StatusBar.h"
#include "ui/Window.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

QStringList arguments(int argc, char** argv) {
  QStringList list;
  for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
  return list;
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
  const QStringList args = arguments(argc, argv);
  const auto scale = ui::Window::displayScaleFromArguments(args);
  if (!scale) {
    std::fprintf(stderr, "tb_ui_gallery: %s\n", scale.error().message.c_str());
    return 2;
  }
  QString shots;
  if (const int at = int(args.indexOf(QStringLiteral("--screenshots"))); at >= 0) {
    if (at + 1 >= args.size()) {
      std::fprintf(stderr, "tb_ui_gallery: --screenshots needs a folder\n");
      return 2;
    }
    shots = args[at + 1];
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (*scale != 1.0) ui::Window::setDisplayScale(*scale);
  QApplication app(argc, argv);

  ui::Window window;
  ui::ProgressHUD* hud = nullptr;
  auto* home = new gallery::HomeScreen(&hud);
  ui::NavigationController navigation(home);
  navigation.navigationBar()->setTintColor(QColor());
  hud = new ui::ProgressHUD(navigation.view());
  window.setRootViewController(&navigation);
  window.makeKeyAndVisible();
  if (shots.isEmpty()) return app.exec();

  if (!QDir().mkpath(shots)) {
    std::fprintf(stderr, "tb_ui_gallery: cannot create %s\n", qPrintable(shots));
    return 1;
  }
  ui::Animation::setDurationScale(0);
  bool ok = save(window, shots, QStringLiteral("01-home"));
  hud->show(false);
  ok &= save(window, shots, QStringLiteral("02-loading"));
  hud->hide(false);
  home->showStackedAlerts();
  ok &= save(window, shots, QStringLiteral("03-alerts"));
  for (ui::AlertView* alert : window.alerts()) alert->dismissWithClickedButtonIndex(0, false);
  window.statusBar()->setNetworkActivityVisible(true);
  home->openTable();
  ok &= save(window, shots, QStringLiteral("04-table"));
  window.statusBar()->setNetworkActivityVisible(false);
  navigation.popViewControllerAnimated(false);
  home->openPages();
  ok &= save(window, shots, QStringLiteral("05-pages"));
  window.setDeviceOrientation(ui::Orientation::LandscapeLeft);
  ok &= save(window, shots, QStringLiteral("06-pages-landscape"));
  window.setDeviceOrientation(ui::Orientation::Portrait);
  navigation.popToRootViewControllerAnimated(false);
  // The grey tint the main menu gives the bar.
  navigation.navigationBar()->setTintColor(QColor::fromRgbF(0.675f, 0.675f, 0.675f));
  home->openTable();
  ok &= save(window, shots, QStringLiteral("07-grey-tinted-bar"));
  navigation.popToRootViewControllerAnimated(false);
  navigation.setNavigationBarHidden(true);
  ok &= save(window, shots, QStringLiteral("08-home-without-bar"));
  return ok ? 0 : 1;
}
