#pragma once
// One background thread that runs the response cache's file work in the order it was posted, so
// that creating, writing and renaming files never holds up the thread that answers requests.
// A job may be posted with a delay (work that is worth putting off, because a later job would
// make it pointless); waiting for the queue runs delayed jobs at once. The thread starts with the
// first job and is joined, after every job has run, when the queue is destroyed.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace rest::cache {

class WriteQueue {
 public:
  using Clock = std::chrono::steady_clock;

  WriteQueue() = default;
  ~WriteQueue();
  WriteQueue(const WriteQueue&) = delete;
  WriteQueue& operator=(const WriteQueue&) = delete;

  void post(std::function<void()> job, Clock::duration delay = Clock::duration::zero());
  // Returns once every job posted before the call has run, delayed ones included.
  void waitUntilIdle();

 private:
  struct Job {
    std::function<void()> run;
    Clock::time_point due;
  };
  void work();

  std::mutex m_mutex;
  std::condition_variable m_wake;  // the worker waits for jobs, due times, a flush or the stop
  std::condition_variable m_idle;  // waiters wait for the queue to drain
  std::deque<Job> m_jobs;          // in posting order
  bool m_running = false;          // a job is being run
  // Changed and read under m_mutex; atomic as well because in the TLS tests the thread sanitizer
  // misses the main thread's side of that lock (the calls come through uninstrumented Qt code) and
  // reports the stop request as a race.
  std::atomic<int> m_flushes = 0;  // waiters that want delayed jobs run now
  std::atomic<bool> m_stopping = false;
  std::thread m_thread;
};

}  // namespace rest::cache
