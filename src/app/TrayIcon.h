#pragma once
// The app in the desktop's tray: an icon whose tooltip and menu say how the home stands (the
// intrusion mode, whether the box can be reached, the favorite running) and whose menu opens the
// window on the home, the history or the supervision, starts a favorite, or quits. Nothing in it
// can disarm the alarm. When no notification server answers, the icon wears a badge and the
// tooltip says that alarms will not pop up.
//
// The menu exists even without a tray (the tour pictures it); the icon only when the desktop has
// a tray.
#include "foundation/NotificationCenter.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

#include <memory>

class QLabel;
class QMenu;
class QSystemTrayIcon;

namespace app {

class EventAlerts;

class TrayIcon : public QObject {
  Q_OBJECT
 public:
  explicit TrayIcon(EventAlerts& alerts);
  ~TrayIcon() override;

  QMenu* menu() const { return m_menu.get(); }
  // Null when the desktop has no tray.
  QSystemTrayIcon* icon() const { return m_icon.get(); }
  QString toolTip() const { return m_toolTip; }
  bool showsBadge() const { return m_badge; }

  // The lines of the status, as the menu and the tooltip show them.
  QString intrusionLine() const;
  QString boxLine() const;
  QString favoriteLine() const;

  // Reads the home again into the menu, the tooltip and the icon.
  void update();

 private:
  void build();
  void fillFavorites();

  EventAlerts& m_alerts;
  std::unique_ptr<QMenu> m_menu;
  std::unique_ptr<QSystemTrayIcon> m_icon;
  QMenu* m_favorites = nullptr;
  QLabel* m_intrusion = nullptr;  // owned by the menu
  QLabel* m_box = nullptr;
  QLabel* m_running = nullptr;
  QIcon m_plainIcon;
  QIcon m_badgeIcon;
  QString m_toolTip;
  bool m_badge = false;
  bool m_gatewayOff = false;
  foundation::Observations m_observations;
};

}  // namespace app
