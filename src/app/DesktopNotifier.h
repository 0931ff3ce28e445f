#pragma once
// Desktop notifications through the freedesktop notification service on the session bus
// (org.freedesktop.Notifications). Each notification may carry a still picture: it is written to
// a private file (owner only) that the notification server reads, and removed once the
// notification is closed, or when this object goes.
//
// Without a session bus, or with nobody owning the service's name, the notifier says it is
// unavailable and every notify() does nothing; it looks again when the name gets an owner.
// Main thread only.
#include <QByteArray>
#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace app {

class DesktopNotifier : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kService = "org.freedesktop.Notifications";
  static constexpr const char* kPath = "/org/freedesktop/Notifications";
  // The key of the action that brings the app up (clicking the notification, or its button).
  static constexpr const char* kDefaultAction = "default";

  enum class Urgency : uchar { Low = 0, Normal = 1, Critical = 2 };

  struct Notice {
    QString summary;
    QString body;
    Urgency urgency = Urgency::Normal;
    QString category;     // "device", "device.error", ...
    QByteArray image;     // encoded picture (JPEG, PNG) shown beside the text; empty for none
    QString actionLabel;  // the label of the default action; "" for a notification without one
    QString context;      // handed back by activated() when the user takes the action
  };

  // `desktopEntry`: the app's .desktop id (without ".desktop"), `icon` its icon name.
  DesktopNotifier(QDBusConnection bus, QString appName, QString desktopEntry, QString icon, QObject* parent = nullptr);
  ~DesktopNotifier() override;

  // Whether a notification server answered on the bus.
  bool isAvailable() const { return m_available; }
  // Whether a notice sent now will be shown: a server answered, or the bus has not answered yet.
  bool willShow() const { return m_available || (!m_probed && m_bus.isConnected()); }
  // Asks the bus again (the answer comes through availabilityChanged).
  void probe();

  // Sends the notification; nothing when unavailable. Before the first answer of the bus it waits
  // for that answer.
  void notify(const Notice& notice);
  // Notifications sent and not closed yet.
  int openCount() const { return int(m_open.size()); }
  // Picture files still kept for open notifications.
  QStringList imageFiles() const;

 signals:
  void availabilityChanged(bool available);
  // The user took the action of the notification sent with this context.
  void activated(const QString& context);

 private slots:
  void onActionInvoked(uint id, const QString& action);
  void onNotificationClosed(uint id, uint reason);

 private:
  struct Open {
    QString context;
    QString imageFile;
  };
  void setAvailable(bool available);
  QString writeImage(const QByteArray& image) const;
  void forget(uint id);

  QDBusConnection m_bus;
  QString m_appName;
  QString m_desktopEntry;
  QString m_icon;
  bool m_available = false;
  bool m_probed = false;
  QList<Notice> m_waiting;
  QHash<uint, Open> m_open;
};

}  // namespace app
