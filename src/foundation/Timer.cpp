#include "foundation/Timer.h"

namespace foundation {

struct Timer::State {
  double interval = 0;
  bool repeats = false;
  bool valid = true;
  TimerToken token = 0;
  Scheduler* scheduler = nullptr;
  std::weak_ptr<const void> schedulerAlive;
  Callback callback;
  Timer* owner = nullptr;  // the handle the callback receives
};

Timer::Timer(std::shared_ptr<State> state) : m_state(std::move(state)) { m_state->owner = this; }

Timer::~Timer() {
  invalidate();
  if (m_state) m_state->owner = nullptr;
}

Timer::Timer(Timer&& other) noexcept : m_state(std::move(other.m_state)) {
  if (m_state) m_state->owner = this;
}

Timer& Timer::operator=(Timer&& other) noexcept {
  if (this != &other) {
    invalidate();
    if (m_state) m_state->owner = nullptr;
    m_state = std::move(other.m_state);
    if (m_state) m_state->owner = this;
  }
  return *this;
}

Timer Timer::scheduled(double interval, bool repeats, Callback callback) {
  auto state = std::make_shared<State>();
  state->interval = interval;
  state->repeats = repeats && interval > 0;
  state->callback = std::move(callback);
  state->scheduler = &scheduler();
  state->schedulerAlive = state->scheduler->lifetime();
  arm(state);
  return Timer(state);
}

Timer Timer::singleShot(double interval, std::function<void()> callback) {
  return scheduled(interval, false, [cb = std::move(callback)](Timer&) { cb(); });
}

void Timer::start(double interval, bool repeats, Callback callback) {
  *this = scheduled(interval, repeats, std::move(callback));
}

void Timer::arm(const std::shared_ptr<State>& state) {
  if (state->schedulerAlive.expired()) {
    state->valid = false;
    return;
  }
  std::weak_ptr<State> weak = state;
  state->token = state->scheduler->schedule(state->interval, [weak]() {
    if (auto s = weak.lock()) trigger(s, true);
  });
}

void Timer::trigger(const std::shared_ptr<State>& state, bool fromSchedule) {
  if (!state->valid) return;
  if (fromSchedule) state->token = 0;
  if (!state->repeats) {
    state->valid = false;
    cancelScheduled(*state);
  } else if (fromSchedule) {
    arm(state);  // the next period starts before the callback, which may invalidate it
  }
  // Keep the callback alive even if it replaces or destroys its own timer.
  auto callback = state->callback;
  if (callback) {
    Timer* owner = state->owner;
    Timer detached;  // stands in when the owner is gone (never the case for a live handle)
    callback(owner ? *owner : detached);
  }
}

void Timer::invalidate() {
  if (!m_state) return;
  m_state->valid = false;
  cancelScheduled(*m_state);
}

void Timer::cancelScheduled(State& state) {
  const TimerToken token = std::exchange(state.token, 0);
  if (token && !state.schedulerAlive.expired()) state.scheduler->cancel(token);
}

bool Timer::isValid() const { return m_state && m_state->valid; }
double Timer::interval() const { return m_state ? m_state->interval : 0; }
bool Timer::repeats() const { return m_state && m_state->repeats; }

void Timer::fire() {
  if (m_state) trigger(m_state, false);
}

}  // namespace foundation
