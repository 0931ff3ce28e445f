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
  QMenu* menu = tray->menu();
  menu->popup(m_app.window()->mapToGlobal(QPoint(40, 60)));
  waitFor([] { return false; }, 300);
  ok &= savePicture(menu->grab(), QStringLiteral("tray-menu"));
  menu->hide();
  return ok;
}

}  // namespace app
