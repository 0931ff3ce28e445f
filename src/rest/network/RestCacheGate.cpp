#include "rest/network/RestCacheGate.h"

#include "foundation/Clock.h"
#include "foundation/Logging.h"
#include "rest/network/RestRequest.h"
#include "rest/network/RestRequestCache.h"

namespace rest {

void RestCacheGate::begin() {
  m_storedHeaders.reset();
  m_sentValidator = false;
  m_withoutValidator = false;
}

bool RestCacheGate::enabled() const { return m_request.cache() && m_request.cachePolicy() != RestRequestCachePolicyNone; }

const HeaderMap& RestCacheGate::storedHeaders() {
  if (!m_storedHeaders) m_storedHeaders = m_request.cache() ? m_request.cache()->headersForRequest(&m_request) : HeaderMap();
  return *m_storedHeaders;
}

bool RestCacheGate::hasStoredAnswer() { return m_request.cache() && m_request.cache()->hasResponseForRequest(&m_request); }

bool RestCacheGate::isFresh() {
  const int policy = m_request.cachePolicy();
  if (!m_request.cache()) return false;
  if (policy & RestRequestCachePolicyEnabled) return !storedHeaders().isEmpty();
  if (!(policy & RestRequestCachePolicyTimeout)) return false;
  // No interval means every request is sent, so a repeated command always reaches the box.
  const double interval = m_request.cacheTimeoutInterval();
  if (interval <= 0) return false;
  const QDateTime date = RestRequestCache::parseCacheDate(storedHeaders().value(QString::fromLatin1(kCacheDateHeaderKey)));
  if (!date.isValid()) return false;
  // An entry dated in the future (the clock was set back) is not fresh, or it would answer
  // every request until the clock caught up.
  const double age = date.msecsTo(foundation::scheduler().now()) / 1000.0;
  return age >= 0 && age <= interval;
}

std::shared_ptr<RestResponse> RestCacheGate::storedAnswer() {
  return m_request.cache() ? m_request.cache()->responseForRequest(&m_request) : nullptr;
}

std::shared_ptr<RestResponse> RestCacheGate::freshAnswer() { return isFresh() ? storedAnswer() : nullptr; }

std::shared_ptr<RestResponse> RestCacheGate::offlineAnswer() {
  return (m_request.cachePolicy() & RestRequestCachePolicyLoadIfOffline) && hasStoredAnswer() ? storedAnswer() : nullptr;
}

std::shared_ptr<RestResponse> RestCacheGate::answerOnError() {
  return (m_request.cachePolicy() & RestRequestCachePolicyLoadOnError) && hasStoredAnswer() ? storedAnswer() : nullptr;
}

QString RestCacheGate::validator() {
  QString etag;
  // Validators belong to reads: on a command, a 304 would stand for "done" and be replaced by an
  // earlier answer.
  if ((m_request.cachePolicy() & RestRequestCachePolicyEtag) && m_request.cache() && (m_request.isGET() || m_request.isHEAD()) &&
      !m_withoutValidator) {
    const HeaderMap& stored = storedHeaders();
    for (auto it = stored.begin(); it != stored.end(); ++it)
      if (it.key().compare(QStringLiteral("ETag"), Qt::CaseInsensitive) == 0) etag = it.value();
  }
  m_sentValidator = !etag.isEmpty();
  m_storedHeaders.reset();  // the answer may change the entry
  return etag;
}

bool RestCacheGate::mustResendWhole(const RestResponse& response) {
  if (response.statusCode() != 304 || !m_sentValidator || m_withoutValidator || hasStoredAnswer()) return false;
  qCInfo(lcRestCache) << "Cached answer gone before its revalidation; sending again unconditionally";
  m_withoutValidator = true;
  return true;
}

std::shared_ptr<RestResponse> RestCacheGate::complete(const std::shared_ptr<RestResponse>& response) {
  if (!enabled()) return response;
  // Only a 304 to the validator this request sent stands for the stored answer; any other 304
  // is delivered as it came.
  if ((m_request.cachePolicy() & RestRequestCachePolicyEtag) && response->isNotModified()) {
    if (!m_sentValidator || m_withoutValidator || response->wasLoadedFromCache() || !hasStoredAnswer()) return response;
    auto stored = storedAnswer();
    if (!stored) return response;
    m_request.cache()->setCacheDateForRequest(foundation::scheduler().now(), &m_request);
    return stored;
  }
  if (!response->wasLoadedFromCache() && response->statusCode() >= 200 && response->statusCode() < 300)
    m_request.cache()->storeResponseForRequest(response.get(), &m_request);
  return response;
}

}  // namespace rest
