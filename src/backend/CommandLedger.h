#pragma once
// What the home shows for everything a command can change: a device's status, an alarm domain's
// mode, a favorite's or a scenario's state. For each of them the ledger keeps the value the service
// last confirmed and the commands still out, and decides what is shown:
//
// - shown = the value of the newest command still out (unless a later one was already accepted),
//   else the confirmed value;
// - a command the service accepts becomes the confirmed value, unless a later command for the same
//   thing was accepted first (answers may cross);
// - a refused command only leaves the commands still out;
// - an answer read from the service confirms its value, unless a command was accepted after that
//   read's request went out: the read may have been answered before the box ran the command.
//
// Time is counted in stamps: every command sent, every command answered and every read sent takes
// the next one. Plain data, main thread only; the session store owns the one ledger of the home.
#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>

namespace backend {

class CommandLedger {
 public:
  using Stamp = std::uint64_t;
  using Ticket = std::uint64_t;

  enum class Kind : std::uint8_t {
    DeviceStatus,  // key: serial
    Pulse,         // key: serial; a pulse has no lasting state, so it never confirms anything
    Mode,          // key: domain ("INTRUSION", "DOMESTIC", "ASSISTANCE")
    Favorite,      // key: identifier; "1" running, "0" stopped
    Scenario,      // key: identifier; the scenario's status
  };
  struct Key {
    Kind kind;
    QString id;
    bool operator==(const Key& other) const { return kind == other.kind && id == other.id; }
  };

  // A stamp for a read that goes out now.
  Stamp readSent() { return ++m_clock; }

  // A command for `value` goes out.
  Ticket send(const Key& key, const QString& value);
  // The service accepted it. Returns the key's new confirmed value when the command set it.
  std::optional<QString> accept(Ticket ticket);
  // The service refused it (or nothing was sent).
  void refuse(Ticket ticket);

  // A read sent at `sent` answered `value`. Returns the confirmed value that stands: `value`, or
  // the result of a command accepted after the read left.
  QString answered(const Key& key, const QString& value, Stamp sent);
  // Confirms `value` as the result of something the service accepted just now (a favorite stopped
  // because another started).
  void confirmNow(const Key& key, const QString& value);
  // A complete list of `kind` was read: what it does not name is no longer known (the commands
  // still out stay).
  void forgetAbsent(Kind kind, const QSet<QString>& named);

  // The newest command still out for the key, if any was sent after the last one accepted.
  std::optional<QString> pending(const Key& key) const;
  // What the key shows: the newest command still out, else the confirmed value, else `unknown`.
  QString shown(const Key& key, const QString& unknown = {}) const;
  std::optional<QString> confirmed(const Key& key) const;
  // The key a command is about (an unknown ticket gives no value).
  std::optional<Key> keyOf(Ticket ticket) const;
  std::size_t commandsOut() const { return m_tickets.size(); }
  std::size_t commandsOut(const Key& key) const;

  // A new sign-in as someone else: nothing known stays.
  void clear();

 private:
  struct Entry {
    std::optional<QString> confirmed;
    Stamp confirmedAt = 0;      // when an accepted command (or an implied value) set it; 0 for a read
    Ticket newestAccepted = 0;  // the latest-sent command the service accepted
    std::map<Ticket, QString> pending;
  };
  Entry* find(const Key& key);
  const Entry* find(const Key& key) const;

  QHash<Key, Entry> m_entries;
  QHash<Ticket, Key> m_tickets;
  Stamp m_clock = 0;
};

inline size_t qHash(const CommandLedger::Key& key, size_t seed = 0) {
  return qHash(key.id, seed) ^ (size_t(key.kind) * 0x9e3779b9u);
}

}  // namespace backend
