#pragma once
// Watches the home's history for events worth telling a user who is not looking: it reads the
// history every `interval` seconds through the history screen's own service call and cache (an
// unchanged history costs a 304 and files nothing), and looks at every history the store files,
// whoever asked for it. Events above the last one seen are new; the last one seen is remembered in
// the preferences per account (user and server), so a restart never tells the same event twice.
// The first history read for an account that has none remembered only marks where it stands:
// nothing older than the sign-in is told.
//
// No widgets: what to do with new events (desktop notifications, the in-app banner) is up to
// whoever listens to newEvents(). Main thread only.
#include "backend/HistoryTexts.h"
#include "foundation/Timer.h"

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <memory>

class VOHistory;

namespace backend {

struct WatchedEvent {
  std::shared_ptr<VOHistory> record;
  history::Urgency urgency = history::Urgency::None;
  QString title;  // the history row's lines
  QString text;
  QDateTime date;  // invalid when the event's date cannot be read
  QString camera;  // serial of the camera the event names (its name is a camera's); "" for none
};

class EventWatcher : public QObject {
  Q_OBJECT
 public:
  static constexpr double kDefaultInterval = 30.0;

  // `interval` 0 or less: no reads of its own (histories read by others are still looked at).
  explicit EventWatcher(double interval = kDefaultInterval, QObject* parent = nullptr);
  ~EventWatcher() override;

  // Watches for this account (any text naming user and server); a new account starts afresh.
  void start(const QString& account);
  void stop();
  bool isWatching() const { return !m_account.isEmpty(); }
  // Mode changes, favorites and scenarios too (normally they are not told).
  void setEveryEvent(bool every) { m_everyEvent = every; }
  bool everyEvent() const { return m_everyEvent; }

  // Reads the history now.
  void check();

  // The serial of the camera named `name` in the device list or the dashboard the store holds.
  static QString cameraNamed(const QString& name);

  // The preference key of an account's last seen event.
  static QString lastSeenKey(const QString& account);

 signals:
  // Events new since the last look that are worth telling, oldest first.
  void newEvents(const QList<backend::WatchedEvent>& events);

 private:
  void examine();

  double m_interval;
  QString m_account;
  bool m_everyEvent = false;
  foundation::Timer m_timer;
  QMetaObject::Connection m_historyConnection;
};

}  // namespace backend

Q_DECLARE_METATYPE(backend::WatchedEvent)
