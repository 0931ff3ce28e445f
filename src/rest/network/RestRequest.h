#pragma once
// One HTTP request of the REST layer: built on a URL, prepared with the client's headers, sent
// through its queue (or directly), answered from the response cache when the policy allows, and
// finished with a response or failed with an error, exactly once per send.
//
// Requests are shared objects (std::shared_ptr); while one is loading it keeps itself alive, so a
// caller may drop its reference after sending. Everything runs on the thread that sends it (the
// main thread in the application).
#include "foundation/NotificationCenter.h"
#include "foundation/Result.h"
#include "rest/network/RestCacheGate.h"
#include "rest/network/RestRequestDelegate.h"
#include "rest/network/RestRequestDescription.h"
#include "rest/network/RestResponse.h"
#include "rest/network/RestTransfer.h"

#include <QNetworkRequest>
#include <QObject>

#include <memory>

namespace rest {

class RestRequestCache;
class RestRequestQueue;
class RestReachabilityObserver;

// The description (URL, method, body, limits, policy) is the request's own part; the transfer and
// the cache gate are the steps of a send.
class RestRequest : public QObject, public RestRequestDescription, public std::enable_shared_from_this<RestRequest> {
  Q_OBJECT

 public:
  RestRequest(const RestURL& URL, RestRequestDelegate* delegate = nullptr);
  // A request on a URL that was not made from a base URL and resource path.
  RestRequest(const QUrl& URL, RestRequestDelegate* delegate = nullptr);
  ~RestRequest() override;

  static std::shared_ptr<RestRequest> requestWithURLDelegate(const RestURL& URL, RestRequestDelegate* delegate);

  // --- Who takes part
  RestRequestDelegate* delegate() const { return m_delegate; }
  void setDelegate(RestRequestDelegate* delegate) { m_delegate = delegate; }
  std::shared_ptr<RestRequestQueue> queue() const { return m_queue.lock(); }
  // The queue is told directly when the request ends (loaded or failed).
  void setQueue(const std::shared_ptr<RestRequestQueue>& queue) { m_queue = queue; }
  const std::shared_ptr<RestRequestCache>& cache() const { return m_cache; }
  void setCache(std::shared_ptr<RestRequestCache> cache) { m_cache = std::move(cache); }
  const std::shared_ptr<RestReachabilityObserver>& reachabilityObserver() const { return m_reachabilityObserver; }
  void setReachabilityObserver(std::shared_ptr<RestReachabilityObserver> observer) {
    m_reachabilityObserver = std::move(observer);
  }

  // --- State
  bool isLoading() const { return m_isLoading; }
  bool isLoaded() const { return m_isLoaded; }
  bool isUnsent() const { return !m_isLoading && !m_isLoaded; }
  // Loaded, with the outcome still on its way to the delegate (an object loader mapping its
  // answer); cancel() then stops the delivery.
  virtual bool isDelivering() const { return false; }
  bool sentSynchronously() const { return m_sentSynchronously; }
  // The last response (also a failed one); null before any.
  const std::shared_ptr<RestResponse>& response() const { return m_response; }
  // The headers set by the last preparation, in order (the transport adds its own).
  const HTTPHeaderList& preparedHeaders() const { return m_preparedHeaders; }
  const QNetworkRequest& URLRequest() const { return m_URLRequest; }

  // --- Sending
  // Through the queue when the request has one, else at once.
  void send();
  void sendAsynchronously();
  // Blocks (running a local event loop) until the request has finished or failed.
  std::shared_ptr<RestResponse> sendSynchronously();
  // Stops a loading request (a queued one through its queue, which then moves on).
  void cancel();
  // Cancels without involving the queue; used by the queue itself.
  void cancelLoad(bool informDelegate = true);
  void reset();

  // --- Steps a subclass may extend (the object loader maps the answer here).
  virtual void didFinishLoad(const std::shared_ptr<RestResponse>& response);
  virtual void didFailLoadWithError(const foundation::Error& error);

 protected:
  virtual void prepareURLRequest();
  // The state and cache step of a finished load (a 304 replaced by the cached answer, a 2xx
  // stored); returns the response to report. Subclasses that report later call it first.
  std::shared_ptr<RestResponse> completeLoad(const std::shared_ptr<RestResponse>& response);
  // With the policy's load-on-error bit, finishes with the cached answer instead of failing.
  bool answerFromCacheOnError();
  // Stops a delivery under way; true when there was one.
  virtual bool cancelDelivery() { return false; }
  // The state of a failed load: not loading, a response carrying the error.
  void completeFailure(const foundation::Error& error);
  void postNotification(const char* name, foundation::UserInfo info = {});
  // The end of a load, once: posted for observers (RestRequestDidLoadResponseNotification,
  // RestRequestDidFailWithErrorNotification) and told to the request's queue.
  void announceLoad(RestResponse* response);
  void announceFailure(const foundation::Error& error);
  // Hands over the reference a loading request keeps to itself (the caller decides how long
  // the request must live on).
  std::shared_ptr<RestRequest> takeSelfReference() { return std::move(m_self); }

 private:
  // What both sends do before the network: an answer from the cache, or a failure, when the
  // policy or the network's state decides; true when the send is over.
  bool settledBeforeSending();
  void finishWithStored(const std::shared_ptr<RestResponse>& stored);
  bool unreachable() const;
  void fire();
  void startTransfer();
  void transferDidEnd(foundation::Result<std::shared_ptr<RestResponse>> result);

  RestRequestDelegate* m_delegate = nullptr;
  std::weak_ptr<RestRequestQueue> m_queue;
  std::shared_ptr<RestRequestCache> m_cache;
  std::shared_ptr<RestReachabilityObserver> m_reachabilityObserver;

  bool m_isLoading = false;
  bool m_isLoaded = false;
  bool m_sentSynchronously = false;
  std::shared_ptr<RestResponse> m_response;
  HTTPHeaderList m_preparedHeaders;
  QNetworkRequest m_URLRequest;
  QByteArray m_preparedBody;

  RestCacheGate m_cacheGate{*this};
  std::unique_ptr<RestTransfer> m_transfer;  // the live transfer, or the last one
  std::shared_ptr<RestRequest> m_self;  // keeps a loading request alive
};

}  // namespace rest
