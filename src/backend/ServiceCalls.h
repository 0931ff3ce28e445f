#pragma once
// How a screen talks to the services: it starts an operation and hears exactly one outcome,
// success or error, on the main thread; the progress overlay is shown and hidden when asked; and
// when the screen goes (it owns its ServiceCalls), nothing it started reaches it any more.
//
//   m_calls.call([] { BEServiceDevice::getInstance().getList(); },
//                [this] { rebuild(); },           // kSuccessDeviceGetList
//                [this] { rebuild(); },           // kErrorDeviceGetList (the alert comes by itself)
//                backend::ServiceCalls::Overlay::Show);
//
// Underneath, the services still post their named notifications; each carries the number of the
// call that started it (user info "serviceCall"), and the call observes those names and keeps the
// notification carrying its own number. Two commands of the same kind in flight therefore each
// hear their own answer, whatever order the answers come in.
#include "foundation/NotificationCenter.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace backend {

class ServiceCalls {
 public:
  enum class Overlay { None, Show };
  using Handler = std::function<void()>;
  // Hears the HTTP status of the failed answer: 0 when none came (no network, refused before
  // sending), 600 and above for the gateway's own codes.
  using StatusHandler = std::function<void(int status)>;

  // The user-info key under which services post the number of the call an answer belongs to.
  static constexpr const char* kCallKey = "serviceCall";
  // The user-info key of an error notification's HTTP status (int; absent when no answer came).
  static constexpr const char* kStatusKey = "statusCode";
  // The user-info key (bool) of a read's success that only confirms what is filed: the service
  // answered "not modified", the session store was left as it was, and nothing needs redrawing.
  static constexpr const char* kUnchangedKey = "unchanged";
  static bool isUnchanged(const foundation::Notification& notification);

  ServiceCalls() = default;
  ~ServiceCalls();
  ServiceCalls(const ServiceCalls&) = delete;
  ServiceCalls& operator=(const ServiceCalls&) = delete;

  // Runs `start`, which calls one service operation, and later calls `onSuccess` or `onError`
  // (either may be empty) when that operation's answer has been handled by its service. An
  // operation that sends nothing (refused before sending) ends in `onError` at once.
  // With Overlay::Show the session store's overlay is shown now and hidden once no call of this
  // owner that showed it is still out.
  void call(const std::function<void()>& start, Handler onSuccess, Handler onError, Overlay overlay = Overlay::None);
  // The same, for a screen that tells failures apart by their status (a 404 that means "none").
  void callWithStatus(const std::function<void()>& start, Handler onSuccess, StatusHandler onError,
                      Overlay overlay = Overlay::None);

  // A read asked again to keep the screen current: `onChanged` runs only when the answer changed
  // what is filed; an unchanged answer, or a failure, ends quietly (the alert comes by itself).
  void refresh(const std::function<void()>& start, Handler onChanged);

  // Forgets every call still out (their outcomes are dropped) and hides the overlay they showed.
  void cancelAll();
  std::size_t pendingCount() const { return m_calls.size(); }

  // --- For the service layer ---
  // The number of the call whose `start` is running now on this thread, 0 outside any call.
  static std::uint64_t currentCall();
  // The service tells the running call which notifications will end it.
  static void willPost(const std::vector<const char*>& successNames, const std::vector<const char*>& errorNames);

 private:
  struct Pending {
    Handler onSuccess;
    StatusHandler onError;
    bool overlay = false;
    bool quietWhenUnchanged = false;
    std::vector<foundation::Observation> observations;
  };
  void begin(const std::function<void()>& start, Handler onSuccess, StatusHandler onError, Overlay overlay,
             bool quietWhenUnchanged);
  void finish(std::uint64_t id, bool success, int status = 0, bool unchanged = false);
  void hideOverlayIfIdle();

  std::map<std::uint64_t, Pending> m_calls;
};

}  // namespace backend
