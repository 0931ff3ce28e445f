#pragma once
// The home as the screens see it: what each device, alarm domain, favorite and scenario shows, and
// a typed signal for every change of what the session store holds. It is the one place screens
// learn from: a screen draws from the store and from here, and redraws when a signal names what it
// shows. No screen keeps its own copy of a device's or a mode's state.
//
// Every command goes through the home's ledger (see CommandLedger): while it is out, every screen
// shows its value; once accepted, its result is written into the store's records at once (the
// device lists and the dashboard, the modes, the favorites, the scenarios), so a screen opened
// later shows it before any read; once refused, everything shows the confirmed value again.
// Main thread only; owned by the session store, it lives as long as the process.
#include "backend/CommandLedger.h"

#include <QObject>
#include <QString>

#include <limits>

namespace backend {

class Home : public QObject {
  Q_OBJECT
 public:
  using Key = CommandLedger::Key;
  using Kind = CommandLedger::Kind;
  using Ticket = CommandLedger::Ticket;
  using Stamp = CommandLedger::Stamp;

  // The stamp of an answer filed by hand (tests, the command-line check): as if read just now.
  static constexpr Stamp kReadNow = std::numeric_limits<Stamp>::max();

  Home() = default;

  // --- What is shown ---
  // `unknown`: what to show for a device the home has never heard of.
  QString deviceStatus(const QString& serial, const QString& unknown = {}) const {
    return m_ledger.shown({Kind::DeviceStatus, serial}, unknown);
  }
  QString mode(const QString& domain) const { return m_ledger.shown({Kind::Mode, domain}); }
  bool isModeKnown(const QString& domain) const;
  // "1" while the favorite runs, "0" when stopped; a start still out for another favorite shows
  // this one stopped, as the box will.
  QString favoriteStatus(const QString& identifier, const QString& unknown = {}) const;
  QString scenarioStatus(const QString& identifier, const QString& unknown = {}) const {
    return m_ledger.shown({Kind::Scenario, identifier}, unknown);
  }
  std::size_t commandsOut(const Key& key) const { return m_ledger.commandsOut(key); }
  std::size_t commandsOut() const { return m_ledger.commandsOut(); }
  const CommandLedger& ledger() const { return m_ledger; }

  // --- For the services ---
  Ticket commandSent(const Key& key, const QString& value);
  void commandAccepted(Ticket ticket);
  void commandRefused(Ticket ticket);
  Stamp readSent() { return m_ledger.readSent(); }
  // What a read sent at `sent` says `key` is, after the commands accepted since it left; the store
  // files that value. `sent` may be kReadNow.
  QString answered(const Key& key, const QString& value, Stamp sent);

  // A complete mode list was read: a domain it does not name is no longer known.
  void modesRead(const QSet<QString>& domains) { m_ledger.forgetAbsent(Kind::Mode, domains); }

  // Forgets every value and command (a sign-in as someone else); every screen redraws.
  void clear();

 signals:
  // What one device shows changed (a command went out, was accepted or refused).
  void deviceChanged(const QString& serial);
  // What one alarm domain shows changed.
  void modeChanged(const QString& domain);
  // The stored lists were filed anew.
  void devicesChanged();
  void modesChanged();
  // The favorites (their list, or what one of them shows).
  void favoritesChanged();
  // The scenarios (their list, or what one of them shows).
  void scenariosChanged();
  void dashboardChanged();
  void historyChanged();
  void weatherChanged();
  void recordingsChanged();
  // Everything was forgotten.
  void cleared();

 private:
  void announce(const Key& key);
  // Writes a confirmed value into the store's records of every list that holds the key.
  static void writeIntoStore(const Key& key, const QString& value);

  CommandLedger m_ledger;
};

}  // namespace backend
