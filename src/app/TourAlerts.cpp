// The tour's pictures of what tells the user about alarms: the in-app banner of a new intrusion
// over the dashboard, and the tray's menu rendered offscreen.
#include "app/AlarmBanner.h"
#include "app/EventAlerts.h"
#include "app/TavroBoxAppAppDelegate.h"
#include "app/Tour.h"
#include "app/TrayIcon.h"

#include "backend/HistoryTexts.h"
#include "backend/records/HistoryRecords.h"
#include "rest/network/NetworkActivity.h"
#include "ui/NavigationController.h"
#include "ui/ProgressHUD.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPixmap>

namespace app {

bool Tour::visitAlerts() {
  EventAlerts* alerts = m_app.eventAlerts();
  if (!alerts) return false;
  ui::NavigationController* navigation = m_app.navigationController();
  auto settled = [&] {
    ui::ProgressHUD* hud = m_app.progressHUD();
    return !navigation->isTransitioning() && !(hud && hud->isShowing()) && rest::networkActivityCount() == 0;
  };

  // An intrusion seen by the entrance's motion detector, as the history tells it.
  VOHistory intrusion;
  intrusion.origin = "0";
  intrusion.reason = "0";
  intrusion.alert = "1";
  intrusion.type = "P1DMO";
  intrusion.name = "Détecteur entrée";
  alerts->showWindow(QString::fromLatin1(EventAlerts::kHomeScreen));
  waitFor(settled, 20000);
  alerts->banner()->present(history::rowTexts(intrusion).title);
  waitFor([] { return false; }, 400);
  bool ok = save(QStringLiteral("alarm-banner"));
  alerts->banner()->dismiss();
  navigation->popToRootViewControllerAnimated(false);

  TrayIcon* tray = alerts->tray();
  tray->update();
  // Drawn without being opened: a menu that opens grabs the keyboard and mouse, which the
  // offscreen platform cannot do (and says so).
  QMenu* menu = tray->menu();
  menu->ensurePolished();
  menu->resize(menu->sizeHint());
  const qreal scale = m_app.window()->devicePixelRatioF();
  QPixmap picture(menu->size() * scale);
  picture.setDevicePixelRatio(scale);
  picture.fill(menu->palette().color(QPalette::Window));
  menu->render(&picture);
  ok &= savePicture(picture, QStringLiteral("tray-menu"));
  return ok;
}

}  // namespace app
