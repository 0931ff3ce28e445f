#pragma once
// One app per user and service on a desktop session: the app started with the session in the
// background and the one the user starts from the menu later would otherwise both watch, and tell
// every alarm twice. The running app owns a name on the session bus (one per service address); a
// later start finds it, asks it to bring its window up (unless started in the background itself)
// and ends. Without a session bus every start runs on its own.
#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace app {

class SingleInstance : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.tavrobox.TavroBox")
 public:
  static QString serviceName(const QString& serviceAddress);
  // True when an app for that service runs already; it was asked to show its window unless
  // `background`.
  static bool handOver(QDBusConnection bus, const QString& serviceAddress, bool background);

  // Takes the name for this app; `show` brings its window up.
  SingleInstance(QDBusConnection bus, const QString& serviceAddress, std::function<void()> show, QObject* parent = nullptr);
  ~SingleInstance() override;
  bool ownsName() const { return m_owned; }

 public slots:
  // Called by a later start.
  void Show();

 private:
  QDBusConnection m_bus;
  QString m_name;
  std::function<void()> m_show;
  bool m_owned = false;
};

}  // namespace app
