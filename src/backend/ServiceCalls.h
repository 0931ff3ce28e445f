#pragma once
// How a screen holds the service operations it started: it hears exactly one outcome of each,
// success or error, on the main thread; the progress overlay is shown and hidden when asked; and
// when the screen goes (it owns its ServiceCalls), nothing it started reaches it any more.
//
//   m_calls.call(BEServiceDevice::getInstance().getList(),
//                [this] { rebuild(); },           // the list is filed
//                [this] { rebuild(); },           // it failed (the alert comes by itself)
//                backend::ServiceCalls::Overlay::Show);
//
// Each operation returns its own Reply, so two commands of the same kind in flight each end their
// own call, whatever order the answers come in.
#include "backend/Reply.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <map>

namespace backend {

class ServiceCalls {
 public:
  enum class Overlay { None, Show };
  using Handler = std::function<void()>;
  // Hears the HTTP status of the failed answer: 0 when none came (no network, refused before
  // sending), 600 and above for the gateway's own codes.
  using StatusHandler = std::function<void(int status)>;

  ServiceCalls() = default;
  ~ServiceCalls();
  ServiceCalls(const ServiceCalls&) = delete;
  ServiceCalls& operator=(const ServiceCalls&) = delete;

  // Holds `reply` and later calls `onSuccess` or `onError` (either may be empty) once its
  // operation's answer has been handled by its service; a reply that has already ended (nothing
  // was sent) ends the call at once. With Overlay::Show the session store's overlay is shown now
  // and hidden once no call of this owner that showed it is still out.
  void call(ReplyPtr reply, Handler onSuccess, Handler onError, Overlay overlay = Overlay::None);
  // The same, for a screen that tells failures apart by their status (a 404 that means "none").
  void callWithStatus(ReplyPtr reply, Handler onSuccess, StatusHandler onError, Overlay overlay = Overlay::None);

  // A read asked again to keep the screen current: `onChanged` runs only when the answer changed
  // what is filed; an unchanged answer, or a failure, ends quietly (the alert comes by itself, once
  // for a fault that lasts: the reply is a background one).
  void refresh(ReplyPtr reply, Handler onChanged);

  // Forgets every call still out (their outcomes are dropped) and hides the overlay they showed.
  void cancelAll();
  std::size_t pendingCount() const { return m_calls.size(); }

 private:
  struct Pending {
    ReplyPtr reply;
    Handler onSuccess;
    StatusHandler onError;
    bool overlay = false;
    bool quietWhenUnchanged = false;
  };
  void begin(ReplyPtr reply, Pending pending);
  void finish(std::uint64_t id);
  void hideOverlayIfIdle();

  std::map<std::uint64_t, Pending> m_calls;
  std::uint64_t m_last = 0;
  // The context of the replies' connections: they go with it.
  QObject m_context;
};

}  // namespace backend
