#pragma once
// One-shot and repeating timers on the installed scheduler.
//
// A Timer is owned by whoever started it: destroying it invalidates it, so a screen that dies
// with running timers is never called back. invalidate() may be called from the timer's own
// callback; a one-shot timer is no longer valid once it has fired.
#include "foundation/Clock.h"

#include <functional>
#include <memory>
#include <utility>

namespace foundation {

class Timer {
 public:
  using Callback = std::function<void(Timer&)>;

  Timer() = default;
  ~Timer();
  Timer(Timer&& other) noexcept;
  Timer& operator=(Timer&& other) noexcept;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Starts a timer that fires after `interval` seconds, and then every `interval` seconds when
  // `repeats` is set. Intervals of zero or less fire on the next turn and never repeat.
  static Timer scheduled(double interval, bool repeats, Callback callback);
  static Timer singleShot(double interval, std::function<void()> callback);

  // Replaces this timer by a new one (the old one, if running, is invalidated first).
  void start(double interval, bool repeats, Callback callback);

  void invalidate();
  bool isValid() const;
  double interval() const;
  bool repeats() const;

  // Fires now, as if due: one-shot timers become invalid, repeating timers keep their schedule.
  void fire();

 private:
  struct State;
  explicit Timer(std::shared_ptr<State> state);
  static void arm(const std::shared_ptr<State>& state);
  static void trigger(const std::shared_ptr<State>& state, bool fromSchedule);
  static void cancelScheduled(State& state);
  std::shared_ptr<State> m_state;
};

}  // namespace foundation
