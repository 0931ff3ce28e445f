#include "backend/StoredAnswers.h"

#include "backend/BENotifications.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceHistory.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BESessionManager.h"
#include "foundation/Logging.h"
#include "rest/network/RestClient.h"

#include <algorithm>
#include <functional>

namespace backend {

namespace {

bool t_readingStored = false;

struct Source {
  DataSet set;
  std::function<bool(const BESessionManager&)> held;
  std::function<void()> read;
};

const std::vector<Source>& sources() {
  static const std::vector<Source> table = {
      {DataSet::Dashboard, [](const BESessionManager& s) { return s.dashboard() != nullptr; },
       [] { BEServiceDashboard::getInstance().getDashboard(); }},
      {DataSet::Devices, [](const BESessionManager& s) { return !s.devices().empty(); },
       [] { BEServiceDevice::getInstance().getActuatorList(); }},
      {DataSet::Favorites, [](const BESessionManager& s) { return !s.favorites().empty(); },
       [] { BEServiceFavorite::getInstance().getList(); }},
      {DataSet::Modes, [](const BESessionManager& s) { return !s.modes().empty(); },
       [] { BEServiceMode::getInstance().getList(); }},
      {DataSet::Scenarios, [](const BESessionManager& s) { return !s.scenarios().empty(); },
       [] { BEServiceScenario::getInstance().getList(); }},
      {DataSet::History, [](const BESessionManager& s) { return !s.histories().empty(); },
       [] { BEServiceHistory::getInstance().getList(); }},
  };
  return table;
}

}  // namespace

StoredAnswers::StoredAnswers() {
  m_observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { signedIn(); });
}

void StoredAnswers::signedIn() {
  const std::string& login = BESessionManager::getInstance().signedInLogin();
  if (login != m_login) {
    // Another user: the session store was emptied, and nothing known of the slots holds.
    const bool hadEarlier = std::any_of(m_slots.begin(), m_slots.end(), [](const Slot& s) { return s.state == State::FromEarlierRun; });
    m_slots = {};
    m_login = login;
    if (hadEarlier) foundation::NotificationCenter::defaultCenter().post(kStoredDataDidChange);
  }
  fileStoredAnswers();
}

void StoredAnswers::fileStoredAnswers() {
  const BESessionManager& store = BESessionManager::getInstance();
  for (const Source& source : sources()) {
    if (source.held(store) || slot(source.set).state == State::Fresh) continue;
    // The object loaders send as soon as they are made: the policy must be in place before.
    const rest::RestClient::CachePolicyScope storedOnly(rest::RestRequestCachePolicyStoredOnly);
    t_readingStored = true;
    source.read();
    t_readingStored = false;
  }
}

bool StoredAnswers::readingStored() { return t_readingStored; }

bool StoredAnswers::isFromEarlierRun(DataSet set) const { return slot(set).state == State::FromEarlierRun; }

bool StoredAnswers::isFresh(DataSet set) const { return set != DataSet::None && slot(set).state == State::Fresh; }

QDateTime StoredAnswers::oldestFromEarlierRun(const std::vector<DataSet>& sets) const {
  QDateTime oldest;
  for (DataSet set : sets) {
    const Slot& s = slot(set);
    if (s.state != State::FromEarlierRun) continue;
    if (!oldest.isValid() || (s.confirmedAt.isValid() && s.confirmedAt < oldest)) oldest = s.confirmedAt;
  }
  return oldest;
}

bool StoredAnswers::wantsStored(DataSet set) const { return set != DataSet::None && slot(set).state != State::Fresh; }

void StoredAnswers::storedFiled(DataSet set, const QDateTime& confirmedAt) {
  if (set == DataSet::None) return;
  slot(set) = {State::FromEarlierRun, confirmedAt};
  qCInfo(lcApp) << "Shown from an earlier run until the service answers: data set" << int(set);
  foundation::NotificationCenter::defaultCenter().post(kStoredDataDidChange);
}

void StoredAnswers::freshFiled(DataSet set) {
  if (set == DataSet::None) return;
  const bool wasEarlier = slot(set).state == State::FromEarlierRun;
  slot(set) = {State::Fresh, {}};
  if (wasEarlier) foundation::NotificationCenter::defaultCenter().post(kStoredDataDidChange);
}

}  // namespace backend
