#include "backend/BESessionManager.h"

namespace {

using backend::Home;

// Files `field` as what the read says `key` is, after the commands the service accepted since the
// read left.
void settle(Home& home, rest::Text& field, const Home::Key& key, Home::Stamp sent) {
  const QString said = field ? QString::fromStdString(*field) : QString();
  const QString stands = home.answered(key, said, sent);
  if (stands != said) field = stands.toStdString();
}

template <class Record>
void settleStatuses(Home& home, const std::vector<std::shared_ptr<Record>>& records, Home::Kind kind,
                    rest::Text Record::*id, Home::Stamp sent) {
  for (const auto& record : records)
    if (record && (*record).*id) settle(home, record->status, {kind, QString::fromStdString(*((*record).*id))}, sent);
}

// A mode list names every domain the box has: one it leaves out is not known any more.
void settleModes(Home& home, const std::vector<std::shared_ptr<VOMode>>& modes, Home::Stamp sent) {
  QSet<QString> domains;
  for (const auto& mode : modes) {
    if (!mode || !mode->subCategory) continue;
    const QString domain = QString::fromStdString(*mode->subCategory);
    domains.insert(domain);
    settle(home, mode->mode, {Home::Kind::Mode, domain}, sent);
  }
  home.modesRead(domains);
}

}  // namespace

BESessionManager::BESessionManager() : m_home(std::make_unique<backend::Home>()) {}

std::string BESessionManager::sessionId() const {
  return m_auth && m_auth->sessionId ? *m_auth->sessionId : std::string();
}

void BESessionManager::setDevices(backend::RecordList<VODevice> devices, Stamp sent) {
  settleStatuses(*m_home, devices, Home::Kind::DeviceStatus, &VODevice::serial, sent);
  m_devices = std::move(devices);
  emit m_home->devicesChanged();
}

void BESessionManager::setModes(backend::RecordList<VOMode> modes, Stamp sent) {
  settleModes(*m_home, modes, sent);
  m_modes = std::move(modes);
  emit m_home->modesChanged();
}

void BESessionManager::setDashboard(std::shared_ptr<VODashboard> dashboard, Stamp sent) {
  if (dashboard) {
    for (const auto* family : {&dashboard->lighting, &dashboard->opening, &dashboard->climatic})
      settleStatuses(*m_home, *family, Home::Kind::DeviceStatus, &VODeviceLight::serial, sent);
    settleModes(*m_home, dashboard->modes, sent);
    settleStatuses(*m_home, dashboard->favorites, Home::Kind::Favorite, &VOFavorite::identifier, sent);
    settleStatuses(*m_home, dashboard->scenarios, Home::Kind::Scenario, &VOScenario::identifier, sent);
  }
  m_dashboard = std::move(dashboard);
  emit m_home->dashboardChanged();
}

void BESessionManager::setFavorites(backend::RecordList<VOFavorite> favorites, Stamp sent) {
  settleStatuses(*m_home, favorites, Home::Kind::Favorite, &VOFavorite::identifier, sent);
  m_favorites = std::move(favorites);
  emit m_home->favoritesChanged();
}

void BESessionManager::setScenarios(backend::RecordList<VOScenario> scenarios, Stamp sent) {
  settleStatuses(*m_home, scenarios, Home::Kind::Scenario, &VOScenario::identifier, sent);
  m_scenarios = std::move(scenarios);
  emit m_home->scenariosChanged();
}

void BESessionManager::clear() {
  auto overlay = std::move(m_uiHUD);
  auto home = std::move(m_home);
  *this = BESessionManager();
  m_uiHUD = std::move(overlay);
  m_home = std::move(home);
  m_home->clear();
}
