#include "backend/BERestConfig.h"

#include "backend/BESessionManager.h"
#include "backend/CertificatePins.h"
#include "backend/records/SendRecords.h"
#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "patterns/PercentEncoding.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestClient.h"
#include "rest/network/TlsTrust.h"

#include <QUrl>

namespace {

constexpr QLatin1String kSessionParameter(";jsessionid=");

// Where a value that starts at `from` ends: the next path, parameter, query or fragment
// delimiter, or anything that cannot be part of a URL in running text.
qsizetype valueEnd(QStringView text, qsizetype from) {
  qsizetype end = from;
  while (end < text.size()) {
    const QChar c = text.at(end);
    if (c == u'/' || c == u';' || c == u'?' || c == u'#' || c == u'&' || c.isSpace() || c == u'"' || c == u'\'' ||
        c == u'<' || c == u'>' || c == u')' || c == u']')
      break;
    ++end;
  }
  return end;
}

}  // namespace

void BERestConfig::initRestLayer(const foundation::Configuration& configuration) {
  if (m_restManager) {
    qCWarning(lcApp) << "The REST layer is already configured; initRestLayer ignored";
    return;
  }

  // 1. The service's base URL.
  m_baseURL = configuration.baseURL();
  m_configuredBaseURL = m_baseURL;
  m_configuredServer = configuration.restServer;
  m_restType = configuration.restType;
  m_restVersion = configuration.restVersion;
  m_allowInsecureHttp = configuration.allowInsecureHttp;
  m_playbackPort = configuration.playbackPort;

  // The session in our URLs, for the REST layer to keep out of logs, errors and its cache.
  rest::setSecretFinder(&BERestConfig::sessionSecrets);

  // 2. The shared client. Certificates stay validated: switching the shared client's check off
  // only lets the certificates this deployment names (or, behind its explicit insecure switch,
  // any certificate) through, never every certificate by default.
  QStringList problems;
  rest::setTlsTrustSettings(rest::TlsTrustSettings::fromConfiguration(configuration, &problems));
  for (const QString& problem : problems) qCWarning(lcApp).noquote() << problem;
  if (configuration.usesInsecureHttp())
    qCWarning(lcApp).noquote() << QStringLiteral("RestAllowInsecureHttp=true: the password digest and the session travel "
                                                 "in clear to %1").arg(QUrl(configuration.restServer).host());
  m_client = rest::RestClient::clientWithBaseURL(m_baseURL);
  m_client->setDisableCertificateValidation(true);

  // 3.-5. The object manager (the first one becomes the shared manager), answers mapped by the
  // class of the sent record when it has a mapping, and JSON request bodies.
  m_restManager = rest::RestObjectManager::objectManagerWithBaseURL(m_baseURL);
  m_restManager->setInferMappingsFromObjectTypes(true);
  m_restManager->setSerializationMIMEType(QStringLiteral("application/json"));

  // 6.-8.
  mapping();
  serialization();
  m_restManager->router().routeClassToResourcePathForMethod(SOAuth::staticClass(), "/auth",
                                                             rest::RestRequestMethodPOST);

  // Servers whose certificate the user accepted in an earlier run.
  backend::CertificatePins::load();
}

foundation::Result<QString> BERestConfig::baseURLForServer(const QString& server) const {
  auto checked = foundation::Configuration::checkServer(server, m_allowInsecureHttp);
  if (!checked.ok()) return checked.error();
  foundation::Configuration configuration;
  configuration.restServer = checked.value();
  configuration.restType = m_restType;
  configuration.restVersion = m_restVersion;
  return configuration.baseURL();
}

void BERestConfig::pointAt(const QString& baseURL) {
  if (!m_restManager || baseURL.isEmpty() || baseURL == m_baseURL) return;
  qCInfo(lcApp).noquote() << "The REST layer now points at" << rest::loggableURL(baseURL);
  m_baseURL = baseURL;
  if (m_client && m_client.get() != m_restManager->client()) m_client->pointAt(baseURL);
  m_restManager->pointAt(baseURL);
}

QString BERestConfig::getSessionPathFor(const QString& path) {
  // Escaped like the router escapes ":session", so that the answer to a routed record and a path
  // built here compare equal, and a session identifier can never change the shape of the URL.
  const std::string session = patterns::percentEncode(BESessionManager::getInstance().sessionId());
  return path + kSessionParameter + QString::fromStdString(session);
}

QString BERestConfig::getSessionRouterPathFor(const QString& pattern) { return pattern + kSessionParameter + QStringLiteral(":session"); }

QList<rest::SecretSpan> BERestConfig::sessionSecrets(QStringView text) {
  QList<rest::SecretSpan> spans;
  for (qsizetype at = text.indexOf(kSessionParameter, 0, Qt::CaseInsensitive); at >= 0;) {
    const qsizetype valueStart = at + kSessionParameter.size();
    const qsizetype end = valueEnd(text, valueStart);
    spans.append({at, valueStart, end});
    at = text.indexOf(kSessionParameter, end, Qt::CaseInsensitive);
  }
  return spans;
}

void BERestConfig::useCacheOfUser(const QString& login) {
  if (m_client) m_client->setCacheUser(login);
  if (m_restManager && m_restManager->client()) m_restManager->client()->setCacheUser(login);
}

foundation::Result<QString> BERestConfig::stringToSha1(const QString& text) { return foundation::stringToSha1(text); }
