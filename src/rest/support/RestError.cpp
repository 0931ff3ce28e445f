#include "rest/support/RestError.h"

#include "rest/support/LoggableURL.h"

namespace rest {

foundation::Error restError(int code, const QString& message) {
  return foundation::Error{kRestErrorDomain, code, message.toStdString()};
}

foundation::Error restErrorFromReply(QNetworkReply::NetworkError error, const QString& description, const QString& url) {
  int code = kRestTransportError;
  switch (error) {
    case QNetworkReply::ConnectionRefusedError: code = kRestConnectionRefused; break;
    case QNetworkReply::HostNotFoundError: code = kRestHostNotFound; break;
    case QNetworkReply::TimeoutError: code = kRestTimedOut; break;
    case QNetworkReply::RemoteHostClosedError: code = kRestConnectionClosed; break;
    case QNetworkReply::SslHandshakeFailedError: code = kRestTLSFailure; break;
    case QNetworkReply::OperationCanceledError: code = kRestCancelled; break;
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError: code = kRestProtocolError; break;
    default: break;
  }
  // The transport quotes the URL in its own texts too.
  return restError(code, QStringLiteral("%1 (%2)").arg(maskSecrets(description), loggableURL(url)));
}

}  // namespace rest
