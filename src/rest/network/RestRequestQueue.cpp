#include "rest/network/RestRequestQueue.h"

#include "foundation/Logging.h"
#include "rest/network/ApplicationStateMonitor.h"
#include "rest/network/NetworkActivity.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestRequest.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <algorithm>

namespace rest {

namespace {
std::mutex g_namedMutex;
std::vector<std::weak_ptr<RestRequestQueue>> g_namedQueues;

std::shared_ptr<RestRequestQueue> liveQueueNamed(const QString& name) {
  for (auto it = g_namedQueues.begin(); it != g_namedQueues.end();) {
    auto queue = it->lock();
    if (!queue) {
      it = g_namedQueues.erase(it);
      continue;
    }
    if (queue->name() == name) return queue;
    ++it;
  }
  return nullptr;
}

bool onMainThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}
}  // namespace

RestRequestQueue::RestRequestQueue(QString name) : m_name(std::move(name)) {}

std::shared_ptr<RestRequestQueue> RestRequestQueue::make(const QString& name) {
  std::shared_ptr<RestRequestQueue> queue(new RestRequestQueue(name));
  std::weak_ptr<RestRequestQueue> weak = queue;
  auto& center = foundation::NotificationCenter::defaultCenter();
  queue->m_backgroundObservation = center.addObserver(RestApplicationDidEnterBackgroundNotification, [weak](const auto&) {
    if (auto q = weak.lock()) q->setSuspended(true);
  });
  queue->m_foregroundObservation = center.addObserver(RestApplicationWillEnterForegroundNotification, [weak](const auto&) {
    if (auto q = weak.lock()) q->setSuspended(false);
  });
  watchApplicationState();
  return queue;
}

std::shared_ptr<RestRequestQueue> RestRequestQueue::requestQueue() { return make(QString()); }

std::shared_ptr<RestRequestQueue> RestRequestQueue::requestQueueWithName(const QString& name) {
  std::lock_guard lock(g_namedMutex);
  if (auto existing = liveQueueNamed(name)) return existing;
  auto queue = make(name);
  g_namedQueues.push_back(queue);
  return queue;
}

std::shared_ptr<RestRequestQueue> RestRequestQueue::newRequestQueueWithName(const QString& name) {
  std::lock_guard lock(g_namedMutex);
  if (liveQueueNamed(name)) return nullptr;
  auto queue = make(name);
  g_namedQueues.push_back(queue);
  return queue;
}

RestRequestQueue::~RestRequestQueue() {
  // Requests still loading finish on their own; they no longer report to this queue.
  if (m_loadingCount > 0 && m_showsNetworkActivityIndicatorWhenBusy) popNetworkActivity();
}

bool RestRequestQueue::suspended() const {
  std::lock_guard lock(m_mutex);
  return m_suspended;
}

int RestRequestQueue::loadingCount() const {
  std::lock_guard lock(m_mutex);
  return m_loadingCount;
}

std::size_t RestRequestQueue::count() const {
  std::lock_guard lock(m_mutex);
  return m_requests.size();
}

std::vector<std::shared_ptr<RestRequest>> RestRequestQueue::requests() const {
  std::lock_guard lock(m_mutex);
  return m_requests;
}

bool RestRequestQueue::containsRequest(const RestRequest* request) const {
  std::lock_guard lock(m_mutex);
  return std::any_of(m_requests.begin(), m_requests.end(), [&](const auto& held) { return held.get() == request; });
}

void RestRequestQueue::setLoadingCount(int count) {
  const int previous = m_loadingCount;
  m_loadingCount = count;
  if (previous == 0 && count > 0) {
    if (m_delegate) m_delegate->requestQueueDidBeginLoading(this);
    if (m_showsNetworkActivityIndicatorWhenBusy) pushNetworkActivity();
  } else if (previous > 0 && count == 0) {
    if (m_delegate) m_delegate->requestQueueDidFinishLoading(this);
    if (m_showsNetworkActivityIndicatorWhenBusy) popNetworkActivity();
  }
}

void RestRequestQueue::scheduleRetry() {
  if (m_retry.isValid()) return;
  std::weak_ptr<RestRequestQueue> weak = weak_from_this();
  m_retry = foundation::Timer::singleShot(kRestRequestQueueRetryInterval, [weak]() {
    if (auto queue = weak.lock()) queue->loadNextInQueue();
  });
}

void RestRequestQueue::addRequest(const std::shared_ptr<RestRequest>& request) {
  {
    std::lock_guard lock(m_mutex);
    if (containsRequest(request.get())) return;
    m_requests.push_back(request);
    request->setQueue(shared_from_this());
  }
  loadNextInQueue();
}

bool RestRequestQueue::wasSent(const RestRequest* request) const {
  return std::find(m_sent.begin(), m_sent.end(), request) != m_sent.end();
}

std::shared_ptr<RestRequest> RestRequestQueue::firstUnsentRequest() const {
  for (const auto& request : m_requests)
    if (request->isUnsent() && !wasSent(request.get())) return request;
  return nullptr;
}

void RestRequestQueue::loadNextInQueue() {
  if (!onMainThread()) {
    std::weak_ptr<RestRequestQueue> weak = weak_from_this();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [weak]() { if (auto queue = weak.lock()) queue->loadNextInQueue(); },
        Qt::QueuedConnection);
    return;
  }
  auto self = shared_from_this();  // a delegate may drop the last reference meanwhile
  std::unique_lock lock(m_mutex);
  if (m_suspended) {
    if (!m_requests.empty()) scheduleRetry();
    return;
  }
  auto request = firstUnsentRequest();
  while (request && m_loadingCount < m_concurrentRequestsLimit) {
    if (m_delegate) m_delegate->requestQueueWillSendRequest(this, request.get());
    m_sent.push_back(request.get());
    setLoadingCount(m_loadingCount + 1);
    request->sendAsynchronously();
    if (m_delegate) m_delegate->requestQueueDidSendRequest(this, request.get());
    request = firstUnsentRequest();
  }
  const bool waiting = !m_requests.empty() && !m_suspended;
  lock.unlock();
  if (waiting) scheduleRetry();
}

bool RestRequestQueue::removeRequestDecrementCounter(const RestRequest* request, bool decrementCounter) {
  std::lock_guard lock(m_mutex);
  auto it = std::find_if(m_requests.begin(), m_requests.end(), [&](const auto& held) { return held.get() == request; });
  if (it == m_requests.end()) return false;
  auto keep = *it;  // alive until the bookkeeping is done
  m_requests.erase(it);
  const auto sent = std::find(m_sent.begin(), m_sent.end(), request);
  const bool counted = sent != m_sent.end();
  if (counted) m_sent.erase(sent);
  // A request this queue sent always stops counting as it leaves, whatever the caller asked:
  // otherwise the activity indicator would stay on for good.
  if (decrementCounter || counted) {
    if (m_loadingCount == 0) qFatal("Attempted to decrement loading count below zero");
    setLoadingCount(m_loadingCount - 1);
  }
  return true;
}

std::shared_ptr<RestRequest> RestRequestQueue::takeEnded(const RestRequest* request) {
  std::lock_guard lock(m_mutex);
  const auto it = std::find_if(m_requests.begin(), m_requests.end(), [&](const auto& held) { return held.get() == request; });
  if (it == m_requests.end()) return nullptr;
  auto held = *it;
  removeRequestDecrementCounter(request, true);
  return held;
}

void RestRequestQueue::requestDidLoad(RestRequest* request, RestResponse* response) {
  const auto self = shared_from_this();  // a delegate may drop the last reference meanwhile
  if (!takeEnded(request)) return;
  if (m_delegate) m_delegate->requestQueueDidLoadResponse(this, response);
  loadNextInQueue();
}

void RestRequestQueue::requestDidFail(RestRequest* request, const foundation::Error& error) {
  const auto self = shared_from_this();
  const auto held = takeEnded(request);
  if (!held) return;
  if (m_delegate) m_delegate->requestQueueDidFailRequestWithError(this, held.get(), error);
  loadNextInQueue();
}

void RestRequestQueue::cancelRequestLoadNext(RestRequest* request, bool loadNext) {
  auto self = shared_from_this();
  std::shared_ptr<RestRequest> held;
  {
    std::lock_guard lock(m_mutex);
    for (const auto& candidate : m_requests)
      if (candidate.get() == request) held = candidate;
    if (!held) return;
    if (!wasSent(request)) {
      removeRequestDecrementCounter(request, false);
      held->setDelegate(nullptr);
      if (m_delegate) m_delegate->requestQueueDidCancelRequest(this, request);
      return;
    }
    // A loader whose answer is being mapped is still this queue's: cancelling it stops the
    // delivery, and the queue moves on now.
    if (!held->isLoading() && !held->isDelivering()) return;
    held->cancelLoad(true);
    held->setDelegate(nullptr);
    if (m_delegate) m_delegate->requestQueueDidCancelRequest(this, request);
    removeRequestDecrementCounter(request, true);
  }
  if (loadNext) loadNextInQueue();
}

void RestRequestQueue::cancelRequestsWithDelegate(const RestRequestDelegate* delegate) {
  for (const auto& request : requests())
    if (request->delegate() == delegate) cancelRequestLoadNext(request.get(), true);
}

void RestRequestQueue::cancelAllRequests() {
  for (const auto& request : requests()) cancelRequestLoadNext(request.get(), false);
}

void RestRequestQueue::setSuspended(bool suspended) {
  bool changed;
  {
    std::lock_guard lock(m_mutex);
    changed = m_suspended != suspended;
    m_suspended = suspended;
  }
  if (changed && m_delegate) {
    if (suspended) m_delegate->requestQueueWasSuspended(this);
    else m_delegate->requestQueueWasUnsuspended(this);
  }
  if (suspended) m_retry.invalidate();
  else loadNextInQueue();
}

}  // namespace rest
