#include "rest/network/CacheWriteQueue.h"

namespace rest::cache {

WriteQueue::~WriteQueue() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_one();
  // The worker runs what is left before it stops: stored answers reach the disk.
  if (m_thread.joinable()) m_thread.join();
}

void WriteQueue::post(std::function<void()> job) {
  bool wake;
  {
    std::lock_guard lock(m_mutex);
    if (!m_thread.joinable()) m_thread = std::thread([this] { run(); });
    // A worker that is busy takes the next job without being woken.
    wake = m_jobs.empty() && !m_running;
    m_jobs.push_back(std::move(job));
  }
  if (wake) m_wake.notify_one();
}

void WriteQueue::waitUntilIdle() {
  if (isWorkerThread()) return;  // a job waiting for itself would never return
  std::unique_lock lock(m_mutex);
  m_idle.wait(lock, [this] { return m_jobs.empty() && !m_running; });
}

bool WriteQueue::isWorkerThread() const {
  std::lock_guard lock(m_mutex);
  return m_thread.joinable() && m_thread.get_id() == std::this_thread::get_id();
}

void WriteQueue::run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return !m_jobs.empty() || m_stopping; });
    if (m_jobs.empty()) return;  // stopping, and nothing left
    std::function<void()> job = std::move(m_jobs.front());
    m_jobs.pop_front();
    m_running = true;
    lock.unlock();
    job();
    job = nullptr;  // whatever the job holds goes before the queue looks idle
    lock.lock();
    m_running = false;
    if (m_jobs.empty()) m_idle.notify_all();
  }
}

}  // namespace rest::cache
