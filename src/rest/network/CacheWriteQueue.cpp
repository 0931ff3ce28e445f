#include "rest/network/CacheWriteQueue.h"

#include <algorithm>

#include <pthread.h>

namespace rest::cache {

WriteQueue::~WriteQueue() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_one();
  // The worker runs what is left, delayed jobs included, before it stops.
  if (m_thread.joinable()) m_thread.join();
}

void WriteQueue::post(std::function<void()> job, Clock::duration delay) {
  bool wake;
  {
    std::lock_guard lock(m_mutex);
    if (!m_thread.joinable()) m_thread = std::thread([this] { work(); });
    // A busy worker takes the next job without being woken; an idle one may be waiting for a
    // delayed job that is due later than this one.
    wake = !m_running;
    m_jobs.push_back({std::move(job), Clock::now() + delay});
  }
  if (wake) m_wake.notify_one();
}

void WriteQueue::waitUntilIdle() {
  std::unique_lock lock(m_mutex);
  if (m_thread.joinable() && m_thread.get_id() == std::this_thread::get_id()) return;  // a job waiting for itself
  ++m_flushes;
  m_wake.notify_one();
  m_idle.wait(lock, [this] { return m_jobs.empty() && !m_running; });
  --m_flushes;
}

void WriteQueue::work() {
  pthread_setname_np(pthread_self(), "rest-cache");
  std::unique_lock lock(m_mutex);
  for (;;) {
    if (m_jobs.empty()) {
      m_idle.notify_all();
      if (m_stopping) return;
      m_wake.wait(lock);
      continue;
    }
    // The first job in posting order that is due; everything is due when flushing or stopping.
    const bool all = m_flushes > 0 || m_stopping;
    const auto now = Clock::now();
    auto next = std::find_if(m_jobs.begin(), m_jobs.end(), [&](const Job& job) { return all || job.due <= now; });
    if (next == m_jobs.end()) {
      const auto earliest = std::min_element(m_jobs.begin(), m_jobs.end(), [](const Job& a, const Job& b) { return a.due < b.due; });
      m_wake.wait_until(lock, earliest->due);
      continue;
    }
    std::function<void()> job = std::move(next->run);
    m_jobs.erase(next);
    m_running = true;
    lock.unlock();
    job();
    job = nullptr;  // whatever the job holds goes before the queue looks idle
    lock.lock();
    m_running = false;
  }
}

}  // namespace rest::cache
