#include "backend/CommandLedger.h"

namespace backend {

CommandLedger::Entry* CommandLedger::find(const Key& key) {
  auto it = m_entries.find(key);
  return it == m_entries.end() ? nullptr : &*it;
}

const CommandLedger::Entry* CommandLedger::find(const Key& key) const {
  auto it = m_entries.constFind(key);
  return it == m_entries.constEnd() ? nullptr : &*it;
}

CommandLedger::Ticket CommandLedger::send(const Key& key, const QString& value) {
  // A ticket is the stamp of its sending, so a later command has a larger ticket.
  const Ticket ticket = ++m_clock;
  m_entries[key].pending.emplace(ticket, value);
  m_tickets.insert(ticket, key);
  return ticket;
}

std::optional<QString> CommandLedger::accept(Ticket ticket) {
  const auto key = m_tickets.take(ticket);
  Entry* entry = find(key);
  if (!entry) return std::nullopt;
  const auto sent = entry->pending.find(ticket);
  if (sent == entry->pending.end()) return std::nullopt;
  const QString value = sent->second;
  entry->pending.erase(sent);
  // A pulse leaves nothing behind; of two accepted commands, the one sent later stands.
  if (key.kind == Kind::Pulse || ticket < entry->newestAccepted) return std::nullopt;
  entry->newestAccepted = ticket;
  entry->confirmed = value;
  entry->confirmedAt = ++m_clock;
  return value;
}

void CommandLedger::refuse(Ticket ticket) {
  const auto it = m_tickets.find(ticket);
  if (it == m_tickets.end()) return;
  if (Entry* entry = find(*it)) entry->pending.erase(ticket);
  m_tickets.erase(it);
}

QString CommandLedger::answered(const Key& key, const QString& value, Stamp sent) {
  Entry& entry = m_entries[key];
  // The read left before the service confirmed a command: what it says may predate the command.
  if (entry.confirmed && entry.confirmedAt > sent) return *entry.confirmed;
  entry.confirmed = value;
  entry.confirmedAt = 0;
  return value;
}

void CommandLedger::confirmNow(const Key& key, const QString& value) {
  Entry& entry = m_entries[key];
  entry.confirmed = value;
  entry.confirmedAt = ++m_clock;
}

void CommandLedger::forgetAbsent(Kind kind, const QSet<QString>& named) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
    if (it.key().kind == kind && !named.contains(it.key().id)) it->confirmed.reset();
}

std::optional<QString> CommandLedger::pending(const Key& key) const {
  const Entry* entry = find(key);
  // A command older than one the service already accepted cannot be the box's last word.
  if (!entry || entry->pending.empty() || entry->pending.rbegin()->first < entry->newestAccepted) return std::nullopt;
  return entry->pending.rbegin()->second;
}

QString CommandLedger::shown(const Key& key, const QString& unknown) const {
  if (const auto out = pending(key)) return *out;
  const Entry* entry = find(key);
  return entry && entry->confirmed ? *entry->confirmed : unknown;
}

std::optional<QString> CommandLedger::confirmed(const Key& key) const {
  const Entry* entry = find(key);
  return entry ? entry->confirmed : std::nullopt;
}

std::optional<CommandLedger::Key> CommandLedger::keyOf(Ticket ticket) const {
  const auto it = m_tickets.constFind(ticket);
  if (it == m_tickets.constEnd()) return std::nullopt;
  return *it;
}

std::size_t CommandLedger::commandsOut(const Key& key) const {
  const Entry* entry = find(key);
  return entry ? entry->pending.size() : 0;
}

void CommandLedger::clear() {
  m_entries.clear();
  m_tickets.clear();
}

}  // namespace backend
