#pragma once
// Errors of the REST layer: one domain, one code per kind of failure, so that callers can tell an
// unreachable network from a timeout, a refused connection or a refused certificate.
#include "foundation/Result.h"

#include <QNetworkReply>
#include <QString>

namespace rest {

inline constexpr const char* kRestErrorDomain = "org.tavrobox.rest";

enum RestErrorCode : int {
  kRestUnableToContactResource = 2,  // the network was determined unreachable; nothing was sent
  kRestNoStoredAnswer = 3,           // a stored-only read found nothing stored; nothing was sent
  kRestConnectionRefused = 1101,
  kRestHostNotFound = 1102,
  kRestTimedOut = 1103,
  kRestConnectionClosed = 1104,      // the server closed before the answer was complete
  kRestTLSFailure = 1105,            // handshake failed or the certificate was not trusted
  kRestResponseTooLarge = 1106,      // body above the response size limit
  kRestHeadersTooLarge = 1107,
  kRestCancelled = 1108,
  kRestProtocolError = 1109,         // a malformed answer
  kRestTransportError = 1110,        // any other failure of the transport

  // The object-mapping half (codes 4, 1002 and 1004 are part of the contract with callers).
  kRestUnexpectedResponse = 4,             // no parser for the answer's MIME type
  kRestObjectMappingNoMatch = 1001,        // nothing mappable in a non-empty answer
  kRestObjectMappingClassMismatch = 1002,  // target record of another class than the mapping's
  kRestRemoteSystemError = 1004,           // the "error"/"errors" messages of a 4xx/5xx answer
  kRestObjectMappingInvalidPath = 1005,    // a route parameter has no value in the record
  kRestSerializationError = 1006,          // the record could not be written as a body
};

foundation::Error restError(int code, const QString& message);

// The error for a transport failure of a reply (never for an HTTP status, which is an answer).
foundation::Error restErrorFromReply(QNetworkReply::NetworkError error, const QString& description, const QString& url);

}  // namespace rest
