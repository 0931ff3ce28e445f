#include "backend/Home.h"

#include "backend/BESessionManager.h"

#include <string>

namespace backend {

namespace {

QString text(const rest::Text& value) { return value ? QString::fromStdString(*value) : QString(); }

template <class Record, class Match, class Write>
void patch(const std::vector<std::shared_ptr<Record>>& records, Match matches, Write write) {
  for (const auto& record : records)
    if (record && matches(*record)) write(*record);
}

// Every favorite the store knows, from its list and from the dashboard.
template <class Visit>
void eachFavorite(Visit visit) {
  const BESessionManager& store = BESessionManager::getInstance();
  for (const auto& favorite : store.favorites())
    if (favorite) visit(*favorite);
  if (const auto& dashboard = store.dashboard())
    for (const auto& favorite : dashboard->favorites)
      if (favorite) visit(*favorite);
}

}  // namespace

bool Home::isModeKnown(const QString& domain) const {
  const Key key{Kind::Mode, domain};
  return m_ledger.confirmed(key).has_value() || m_ledger.pending(key).has_value();
}

QString Home::favoriteStatus(const QString& identifier, const QString& unknown) const {
  const Key key{Kind::Favorite, identifier};
  if (const auto own = m_ledger.pending(key)) return *own;
  // The box runs one favorite at a time: starting another stops this one.
  bool otherStarting = false;
  eachFavorite([&](const VOFavorite& favorite) {
    const QString other = text(favorite.identifier);
    if (other != identifier && m_ledger.pending({Kind::Favorite, other}) == QStringLiteral("1")) otherStarting = true;
  });
  return otherStarting ? QStringLiteral("0") : m_ledger.shown(key, unknown);
}

Home::Ticket Home::commandSent(const Key& key, const QString& value) {
  const Ticket ticket = m_ledger.send(key, value);
  announce(key);
  return ticket;
}

void Home::commandAccepted(Ticket ticket) {
  const auto key = m_ledger.keyOf(ticket);
  if (!key) return;
  if (const auto value = m_ledger.accept(ticket)) {
    writeIntoStore(*key, *value);
    if (key->kind == Kind::Favorite && *value == QLatin1String("1")) {
      // The box stopped whichever other favorite ran.
      eachFavorite([&](VOFavorite& favorite) {
        const QString other = text(favorite.identifier);
        if (other == key->id || text(favorite.status) != QLatin1String("1")) return;
        m_ledger.confirmNow({Kind::Favorite, other}, QStringLiteral("0"));
        favorite.status = std::string("0");
      });
    }
  }
  announce(*key);
}

void Home::commandRefused(Ticket ticket) {
  const auto key = m_ledger.keyOf(ticket);
  if (!key) return;
  m_ledger.refuse(ticket);
  announce(*key);
}

QString Home::answered(const Key& key, const QString& value, Stamp sent) {
  return m_ledger.answered(key, value, sent == kReadNow ? m_ledger.readSent() : sent);
}

void Home::clear() {
  m_ledger.clear();
  emit cleared();
}

void Home::announce(const Key& key) {
  switch (key.kind) {
    case Kind::DeviceStatus:
    case Kind::Pulse: emit deviceChanged(key.id); break;
    case Kind::Mode: emit modeChanged(key.id); break;
    case Kind::Favorite: emit favoritesChanged(); break;
    case Kind::Scenario: emit scenariosChanged(); break;
  }
}

void Home::writeIntoStore(const Key& key, const QString& value) {
  const BESessionManager& store = BESessionManager::getInstance();
  const auto& dashboard = store.dashboard();
  const std::string stored = value.toStdString();
  auto hasSerial = [&](const auto& device) { return text(device.serial) == key.id; };
  auto hasId = [&](const auto& record) { return text(record.identifier) == key.id; };
  auto setStatus = [&](auto& record) { record.status = stored; };
  switch (key.kind) {
    case Kind::DeviceStatus:
      patch(store.devices(), hasSerial, setStatus);
      if (dashboard)
        for (const auto* family : {&dashboard->lighting, &dashboard->opening, &dashboard->climatic})
          patch(*family, hasSerial, setStatus);
      break;
    case Kind::Pulse: break;
    case Kind::Mode: {
      auto inDomain = [&](const VOMode& mode) { return text(mode.subCategory) == key.id; };
      auto setMode = [&](VOMode& mode) { mode.mode = stored; };
      patch(store.modes(), inDomain, setMode);
      if (dashboard) patch(dashboard->modes, inDomain, setMode);
      break;
    }
    case Kind::Favorite:
      patch(store.favorites(), hasId, setStatus);
      if (dashboard) patch(dashboard->favorites, hasId, setStatus);
      break;
    case Kind::Scenario:
      patch(store.scenarios(), hasId, setStatus);
      if (dashboard) patch(dashboard->scenarios, hasId, setStatus);
      break;
  }
}

}  // namespace backend
