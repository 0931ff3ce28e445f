#include "backend/EventWatcher.h"

#include "backend/BEServiceHistory.h"
#include "backend/BESessionManager.h"
#include "backend/Reply.h"
#include "backend/records/HistoryRecords.h"
#include "foundation/Clock.h"
#include "foundation/Digest.h"
#include "foundation/Preferences.h"

#include <algorithm>
#include <optional>

namespace backend {

namespace {

QString text(const rest::Text& t) { return t ? QString::fromStdString(*t) : QString(); }

// The history's dates carry no zone: they are the home's wall clock, read here in the machine's.
QDateTime dateOf(const VOHistory& e) {
  QDateTime d = QDateTime::fromString(text(e.date), QStringLiteral("dd/MM/yyyy HH:mm:ss"));
  if (d.isValid()) d.setTimeZone(foundation::scheduler().timeZone());
  return d;
}

// Events carry no identifier: every member but the alerted people names one.
QString identityOf(const VOHistory& e) {
  const QStringList members = {text(e.name),   text(e.type),  text(e.state),        text(e.date),
                               text(e.origin), text(e.reason), text(e.alert),       text(e.trigger_name),
                               text(e.category), text(e.subcategory)};
  return foundation::md5Hex(members.join(QChar(0x1f)).toUtf8());
}

// The last event seen, as stored: "<date in ms>|<fingerprint>".
struct Mark {
  qint64 dateMs = 0;
  QString fingerprint;
  static Mark of(const VOHistory& e) {
    const QDateTime d = dateOf(e);
    return {d.isValid() ? d.toMSecsSinceEpoch() : 0, identityOf(e)};
  }
  QString toString() const { return QString::number(dateMs) + QLatin1Char('|') + fingerprint; }
  static std::optional<Mark> parse(const QString& s) {
    const qsizetype bar = s.indexOf(QLatin1Char('|'));
    bool ok = false;
    const qint64 ms = s.left(bar).toLongLong(&ok);
    if (bar < 0 || !ok) return std::nullopt;
    return Mark{ms, s.mid(bar + 1)};
  }
};

}  // namespace

QString EventWatcher::cameraNamed(const QString& name) {
  if (name.isEmpty()) return {};
  auto matches = [&](const auto& d) {
    const QString type = d ? text(d->type) : QString();
    const bool camera = type == QLatin1String("FCAM") || type == QLatin1String("RCAM") || type == QLatin1String("OCAM");
    return camera && text(d->name) == name;
  };
  BESessionManager& store = BESessionManager::getInstance();
  for (const auto& d : store.devices())
    if (matches(d)) return text(d->serial);
  if (store.dashboard())
    for (const auto& d : store.dashboard()->cameras)
      if (matches(d)) return text(d->serial);
  return {};
}

EventWatcher::EventWatcher(double interval, QObject* parent) : QObject(parent), m_interval(interval) {}

EventWatcher::~EventWatcher() = default;

QString EventWatcher::lastSeenKey(const QString& account) {
  // Accounts hold characters the preferences file reads as groups ("/" of the server's address).
  return QStringLiteral("EventWatcherLastSeen/") + foundation::md5Hex(account.toUtf8());
}

void EventWatcher::start(const QString& account) {
  stop();
  m_account = account;
  m_historyConnection = connect(&BESessionManager::getInstance().home(), &Home::historyChanged, this, &EventWatcher::examine);
  if (m_interval > 0) m_timer.start(m_interval, true, [this](foundation::Timer&) { check(); });
}

void EventWatcher::stop() {
  disconnect(m_historyConnection);
  m_timer.invalidate();
  m_account.clear();
}

void EventWatcher::check() {
  if (!isWatching()) return;
  // The history screen's own read: its answer is filed in the store and looked at in examine().
  (void)BEServiceHistory::getInstance().getList();
}

void EventWatcher::examine() {
  if (!isWatching()) return;
  std::vector<std::shared_ptr<VOHistory>> shown;
  for (const auto& e : BESessionManager::getInstance().histories())
    if (e && history::isShown(*e)) shown.push_back(e);
  if (shown.empty()) return;

  foundation::Preferences& prefs = foundation::Preferences::standard();
  const QString key = lastSeenKey(m_account);
  const Mark top = Mark::of(*shown.front());
  const std::optional<Mark> seen = Mark::parse(prefs.string(key));
  if (!seen) {
    // First look for this account: where the history stands is what was there before.
    prefs.setString(key, top.toString());
    prefs.sync();
    return;
  }
  std::vector<std::shared_ptr<VOHistory>> fresh;
  const auto at = std::find_if(shown.begin(), shown.end(), [&](const auto& e) { return identityOf(*e) == seen->fingerprint; });
  if (at != shown.end()) {
    fresh.assign(shown.begin(), at);
  } else {
    // The last one seen is no longer listed (pushed out of the history): go by the dates.
    for (const auto& e : shown) {
      const QDateTime d = dateOf(*e);
      if (d.isValid() && d.toMSecsSinceEpoch() > seen->dateMs) fresh.push_back(e);
    }
  }
  if (fresh.empty()) return;
  prefs.setString(key, top.toString());
  prefs.sync();

  QList<WatchedEvent> told;
  for (auto it = fresh.rbegin(); it != fresh.rend(); ++it) {
    const history::Urgency urgency = history::urgencyOf(**it);
    if (urgency == history::Urgency::None && !m_everyEvent) continue;
    const history::RowTexts row = history::rowTexts(**it);
    told.append(WatchedEvent{*it, urgency, row.title, QStringList({row.detail, row.via}).join(QLatin1Char(' ')).trimmed(), dateOf(**it),
                              cameraNamed(text((*it)->name))});
  }
  if (!told.isEmpty()) emit newEvents(told);
}

}  // namespace backend
