#pragma once
// One background thread that runs the response cache's file work in the order it was posted, so
// that creating, writing and renaming files never holds up the thread that answers requests.
// The thread starts with the first job and is joined, after the last job has run, when the queue
// is destroyed.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace rest::cache {

class WriteQueue {
 public:
  WriteQueue() = default;
  ~WriteQueue();
  WriteQueue(const WriteQueue&) = delete;
  WriteQueue& operator=(const WriteQueue&) = delete;

  void post(std::function<void()> job);
  // Returns once every job posted before the call has run.
  void waitUntilIdle();
  // True on the queue's own thread (a job asking).
  bool isWorkerThread() const;

 private:
  void run();

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;  // the worker waits for jobs or for the stop
  std::condition_variable m_idle;  // waiters wait for the queue to drain
  std::deque<std::function<void()>> m_jobs;
  bool m_running = false;  // a job is being run
  bool m_stopping = false;
  std::thread m_thread;
};

}  // namespace rest::cache
