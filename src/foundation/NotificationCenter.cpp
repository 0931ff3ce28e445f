#include "foundation/NotificationCenter.h"

#include <algorithm>
#include <utility>

namespace foundation {

struct NotificationRegistry {
  struct Entry {
    std::uint64_t id;
    std::string name;
    const void* sender;
    NotificationCenter::Handler handler;
    bool removed = false;  // read and written under the mutex
  };

  mutable std::recursive_mutex mutex;
  std::vector<std::shared_ptr<Entry>> entries;
  std::uint64_t nextId = 1;

  void remove(std::uint64_t id) {
    std::lock_guard lock(mutex);
    auto it = std::find_if(entries.begin(), entries.end(), [id](const auto& e) { return e->id == id; });
    if (it != entries.end()) {
      (*it)->removed = true;
      entries.erase(it);
    }
  }
};

Observation::Observation(Observation&& other) noexcept
    : m_registry(std::move(other.m_registry)), m_id(std::exchange(other.m_id, 0)) {}

Observation& Observation::operator=(Observation&& other) noexcept {
  if (this != &other) {
    reset();
    m_registry = std::move(other.m_registry);
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

Observation::~Observation() { reset(); }

void Observation::reset() {
  if (m_id == 0) return;
  if (auto registry = m_registry.lock()) registry->remove(m_id);
  m_id = 0;
  m_registry.reset();
}

NotificationCenter::NotificationCenter() : m_registry(std::make_shared<NotificationRegistry>()) {}
NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter center;
  return center;
}

Observation NotificationCenter::addObserver(std::string name, Handler handler, const void* sender) {
  std::lock_guard lock(m_registry->mutex);
  const auto id = m_registry->nextId++;
  m_registry->entries.push_back(std::make_shared<NotificationRegistry::Entry>(
      NotificationRegistry::Entry{id, std::move(name), sender, std::move(handler)}));
  return Observation(m_registry, id);
}

void NotificationCenter::post(std::string_view name, const void* sender, UserInfo userInfo) {
  post(Notification{std::string(name), sender, std::move(userInfo)});
}

void NotificationCenter::post(const Notification& notification) {
  // Snapshot the matching observers, then call each one unless it was removed meanwhile.
  std::vector<std::shared_ptr<NotificationRegistry::Entry>> targets;
  {
    std::lock_guard lock(m_registry->mutex);
    for (const auto& entry : m_registry->entries) {
      if (entry->name == notification.name && (entry->sender == nullptr || entry->sender == notification.sender)) {
        targets.push_back(entry);
      }
    }
  }
  for (const auto& entry : targets) {
    {
      std::lock_guard lock(m_registry->mutex);
      if (entry->removed) continue;
    }
    // The handler is copied so that an observer replacing itself cannot destroy the function
    // that is running.
    auto handler = entry->handler;
    handler(notification);
  }
}

std::size_t NotificationCenter::observerCount() const {
  std::lock_guard lock(m_registry->mutex);
  return m_registry->entries.size();
}

void Observations::add(const std::string& name, NotificationCenter::Handler handler, const void* sender) {
  m_entries.emplace(name, m_center->addObserver(name, std::move(handler), sender));
}

void Observations::remove(const std::string& name) { m_entries.erase(name); }

bool Observations::observes(const std::string& name) const { return m_entries.count(name) > 0; }

}  // namespace foundation
