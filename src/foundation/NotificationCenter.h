#pragma once
// Named notifications delivered synchronously, on the posting thread, in registration order.
//
// Observers may add or remove observers (themselves included) while a notification is being
// delivered: a removal takes effect at once (a removed observer is never called again, not even
// for the notification in progress); an observer added during a delivery first hears the next one.
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

using UserInfo = std::map<std::string, std::any>;

struct Notification {
  std::string name;
  const void* sender = nullptr;
  UserInfo userInfo;

  // The user-info value under key as T, or nullptr when absent or of another type.
  template <class T>
  const T* info(const std::string& key) const {
    auto it = userInfo.find(key);
    return it == userInfo.end() ? nullptr : std::any_cast<T>(&it->second);
  }
};

class NotificationCenter;
struct NotificationRegistry;

// Keeps one observer registered for as long as it lives; destroying or resetting it removes the
// observer, so an object that owns its observations can never be called back after its death.
class [[nodiscard]] Observation {
 public:
  Observation() = default;
  Observation(Observation&& other) noexcept;
  Observation& operator=(Observation&& other) noexcept;
  Observation(const Observation&) = delete;
  Observation& operator=(const Observation&) = delete;
  ~Observation();

  void reset();
  bool isActive() const { return m_id != 0; }

 private:
  friend class NotificationCenter;
  Observation(std::weak_ptr<NotificationRegistry> registry, std::uint64_t id)
      : m_registry(std::move(registry)), m_id(id) {}
  std::weak_ptr<NotificationRegistry> m_registry;
  std::uint64_t m_id = 0;
};

class NotificationCenter {
 public:
  using Handler = std::function<void(const Notification&)>;

  NotificationCenter();
  ~NotificationCenter();
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  static NotificationCenter& defaultCenter();

  // Observes `name` posted by `sender` (nullptr: by anyone).
  Observation addObserver(std::string name, Handler handler, const void* sender = nullptr);

  void post(std::string_view name, const void* sender = nullptr, UserInfo userInfo = {});
  void post(const Notification& notification);

  std::size_t observerCount() const;

 private:
  std::shared_ptr<NotificationRegistry> m_registry;
};

// A bag of observations keyed by notification name, for objects that subscribe and unsubscribe
// by name (a screen that stops listening to one notification while keeping the others).
class Observations {
 public:
  explicit Observations(NotificationCenter& center = NotificationCenter::defaultCenter()) : m_center(&center) {}

  void add(const std::string& name, NotificationCenter::Handler handler, const void* sender = nullptr);
  void remove(const std::string& name);
  void clear() { m_entries.clear(); }
  bool observes(const std::string& name) const;

 private:
  NotificationCenter* m_center;
  std::multimap<std::string, Observation> m_entries;
};

}  // namespace foundation
