#pragma once
// Where one request meets the response cache, the same for the asynchronous and the synchronous
// send: before sending, the stored answer the policy lets stand in for the network; while
// preparing, the stored answer's validator (If-None-Match); after, a 304 to that validator
// replaced by the stored answer and a fresh answer stored.
//
// Each send looks at the cache entry once: the gate, the date and the entity tag all read the
// same headers, until the answer may have changed the entry.
#include "rest/network/RestResponse.h"

#include <memory>
#include <optional>

namespace rest {

class RestRequest;

class RestCacheGate {
 public:
  explicit RestCacheGate(RestRequest& request) : m_request(request) {}

  // A new send: forgets what the last one saw and sent.
  void begin();

  // Answers that may stand in for the network; null when the policy or the cache has none.
  std::shared_ptr<RestResponse> storedAnswer();  // any stored answer (the stored-only policy)
  std::shared_ptr<RestResponse> freshAnswer();   // an entry the policy counts as fresh
  std::shared_ptr<RestResponse> offlineAnswer();  // with the load-if-offline bit
  std::shared_ptr<RestResponse> answerOnError();  // with the load-on-error bit

  // The entity tag to send as If-None-Match, "" for none (only reads are revalidated).
  QString validator();
  // A 304 to a validator whose entry went away (invalidated or damaged) before the answer came
  // would be reported as an empty success: true when the request must be sent again without one.
  bool mustResendWhole(const RestResponse& response);
  // The answer a completed load reports: the stored answer for a 304 to the validator sent;
  // a fresh 2xx is stored.
  std::shared_ptr<RestResponse> complete(const std::shared_ptr<RestResponse>& response);

 private:
  bool enabled() const;
  bool hasStoredAnswer();
  const HeaderMap& storedHeaders();
  bool isFresh();

  RestRequest& m_request;
  std::optional<HeaderMap> m_storedHeaders;
  bool m_sentValidator = false;      // the transfer under way carries If-None-Match
  bool m_withoutValidator = false;   // this send asks for the whole answer (its entry went away)
};

}  // namespace rest
