#pragma once
// Sends the requests of one client in arrival order, at most `concurrentRequestsLimit` at a time.
// Created suspended: nothing leaves until the client has heard from its reachability observer
// (or someone calls start()). Suspends while the application is in the background. A suspended
// or full queue looks again every 0.3 s while requests wait, and at once when one ends.
//
// Runs on the main thread (calls from elsewhere are re-dispatched there); list operations are
// also guarded by a lock.
#include "foundation/NotificationCenter.h"
#include "foundation/Result.h"
#include "foundation/Timer.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace rest {

class RestRequest;
class RestResponse;
class RestRequestQueue;
class RestRequestDelegate;

class RestRequestQueueDelegate {
 public:
  virtual ~RestRequestQueueDelegate() = default;
  virtual void requestQueueWillSendRequest(RestRequestQueue* /*queue*/, RestRequest* /*request*/) {}
  virtual void requestQueueDidSendRequest(RestRequestQueue* /*queue*/, RestRequest* /*request*/) {}
  virtual void requestQueueDidLoadResponse(RestRequestQueue* /*queue*/, RestResponse* /*response*/) {}
  virtual void requestQueueDidFailRequestWithError(RestRequestQueue* /*queue*/, RestRequest* /*request*/,
                                                   const foundation::Error& /*error*/) {}
  virtual void requestQueueDidCancelRequest(RestRequestQueue* /*queue*/, RestRequest* /*request*/) {}
  virtual void requestQueueDidBeginLoading(RestRequestQueue* /*queue*/) {}
  virtual void requestQueueDidFinishLoading(RestRequestQueue* /*queue*/) {}
  virtual void requestQueueWasSuspended(RestRequestQueue* /*queue*/) {}
  virtual void requestQueueWasUnsuspended(RestRequestQueue* /*queue*/) {}
};

inline constexpr double kRestRequestQueueRetryInterval = 0.3;

class RestRequestQueue : public std::enable_shared_from_this<RestRequestQueue> {
 public:
  static std::shared_ptr<RestRequestQueue> requestQueue();
  // The live queue of that name, or a new one.
  static std::shared_ptr<RestRequestQueue> requestQueueWithName(const QString& name);
  // A new queue of that name; null when a live queue has it already.
  static std::shared_ptr<RestRequestQueue> newRequestQueueWithName(const QString& name);
  ~RestRequestQueue();
  RestRequestQueue(const RestRequestQueue&) = delete;
  RestRequestQueue& operator=(const RestRequestQueue&) = delete;

  const QString& name() const { return m_name; }
  RestRequestQueueDelegate* delegate() const { return m_delegate; }
  void setDelegate(RestRequestQueueDelegate* delegate) { m_delegate = delegate; }
  int concurrentRequestsLimit() const { return m_concurrentRequestsLimit; }
  void setConcurrentRequestsLimit(int limit) { m_concurrentRequestsLimit = limit; }
  // Kept for callers that read it; the transport's own timeout applies instead.
  double requestTimeout() const { return m_requestTimeout; }
  void setRequestTimeout(double seconds) { m_requestTimeout = seconds; }
  bool showsNetworkActivityIndicatorWhenBusy() const { return m_showsNetworkActivityIndicatorWhenBusy; }
  void setShowsNetworkActivityIndicatorWhenBusy(bool shows) { m_showsNetworkActivityIndicatorWhenBusy = shows; }

  bool suspended() const;
  void setSuspended(bool suspended);
  void start() { setSuspended(false); }
  int loadingCount() const;
  std::size_t count() const;
  std::vector<std::shared_ptr<RestRequest>> requests() const;
  bool containsRequest(const RestRequest* request) const;
  bool isRetryScheduled() const { return m_retry.isValid(); }

  void addRequest(const std::shared_ptr<RestRequest>& request);
  // Removes without cancelling; with `decrementCounter` the request counts as no longer loading.
  bool removeRequest(const RestRequest* request) { return removeRequestDecrementCounter(request, true); }
  bool removeRequestDecrementCounter(const RestRequest* request, bool decrementCounter);

  void cancelRequest(RestRequest* request) { cancelRequestLoadNext(request, true); }
  void cancelRequestLoadNext(RestRequest* request, bool loadNext);
  void cancelRequestsWithDelegate(const RestRequestDelegate* delegate);
  void cancelAllRequests();

  // Sends what may be sent now.
  void loadNextInQueue();

  // Told by a request of this queue when its load has ended (the queue then moves on); requests
  // it does not hold are ignored.
  void requestDidLoad(RestRequest* request, RestResponse* response);
  void requestDidFail(RestRequest* request, const foundation::Error& error);

 private:
  explicit RestRequestQueue(QString name);
  static std::shared_ptr<RestRequestQueue> make(const QString& name);
  void setLoadingCount(int count);
  void scheduleRetry();
  // Takes an ended request out; null when the queue does not hold it.
  std::shared_ptr<RestRequest> takeEnded(const RestRequest* request);
  std::shared_ptr<RestRequest> firstUnsentRequest() const;
  bool wasSent(const RestRequest* request) const;

  mutable std::recursive_mutex m_mutex;
  QString m_name;
  RestRequestQueueDelegate* m_delegate = nullptr;
  int m_concurrentRequestsLimit = 5;
  double m_requestTimeout = 300;
  bool m_showsNetworkActivityIndicatorWhenBusy = false;
  bool m_suspended = true;
  int m_loadingCount = 0;
  std::vector<std::shared_ptr<RestRequest>> m_requests;
  // The held requests this queue has sent: what counts as loading. A request's own flags cannot
  // tell, since a failed request reads as unsent again while its delegates hear of the failure.
  std::vector<const RestRequest*> m_sent;
  foundation::Timer m_retry;
  foundation::Observation m_backgroundObservation;
  foundation::Observation m_foregroundObservation;
};

}  // namespace rest
