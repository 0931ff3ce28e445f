#include "SimHarness.h"

#include "support/Wait.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QNetworkRequest>

#include <gtest/gtest.h>

namespace simtest {

QByteArray Reply::header(const QByteArray& name) const {
  for (const auto& h : headers)
    if (h.first.compare(name, Qt::CaseInsensitive) == 0) return h.second;
  return {};
}

simhome::ServiceOptions testOptions() {
  simhome::ServiceOptions o;
  o.controlToken = kToken;
  o.lifeIntervalMs = 0;  // a home that changes only when told
  o.mediaPort = 8471;
  return o;
}

QByteArray signInBody(const QString& login, const QString& password, const QString& ihm) {
  const QByteArray digest = QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha1).toHex();
  return QJsonDocument(QJsonObject{{"login", login}, {"password", QString::fromLatin1(digest)}, {"ihm", ihm}}).toJson(QJsonDocument::Compact);
}

SimHarness::SimHarness(simhome::ServiceOptions options) {
  QString error;
  auto users = simhome::Users::loadFile(simhome::Users::builtInPath(), &error);
  if (!users) ADD_FAILURE() << error.toStdString();
  auto homes = simhome::loadHomes(*users, QString(), options.seed, clock.nowMs(), &error);
  if (!homes) ADD_FAILURE() << error.toStdString();
  m_service = std::make_unique<simhome::CloudService>(options, std::move(*users), std::move(*homes), &clock);
  m_server = std::make_unique<simcore::HttpServer>(m_service.get());
  if (!m_server->listen()) ADD_FAILURE() << "cannot listen: " << m_server->errorString().toStdString();
}

SimHarness::~SimHarness() { m_server->close(); }

QString SimHarness::baseUrl() const { return m_server->baseUrl().toString() + m_service->basePath(); }

Reply SimHarness::send(const QByteArray& method, const QString& path, const QByteArray& body,
                       const QList<QPair<QByteArray, QByteArray>>& headers) {
  return perform(method, baseUrl() + path, body, headers);
}

Reply SimHarness::call(const QByteArray& method, const QString& path, const QByteArray& body,
                       const QList<QPair<QByteArray, QByteArray>>& headers) {
  return send(method, path + QStringLiteral(";jsessionid=") + session, body, headers);
}

QString SimHarness::signIn(const QString& login, const QString& password) {
  const Reply r = send("POST", "/auth", signInBody(login, password));
  session = r.json.value("sessionId").toString();
  return session;
}

Reply SimHarness::control(const QByteArray& method, const QString& path, const QByteArray& body, bool withToken) {
  QList<QPair<QByteArray, QByteArray>> headers;
  if (withToken) headers << qMakePair(QByteArray(simhome::kControlTokenHeader), QByteArray(kToken));
  return perform(method, m_server->baseUrl().toString() + path, body, headers);
}

Reply SimHarness::perform(const QByteArray& method, const QString& url, const QByteArray& body,
                          const QList<QPair<QByteArray, QByteArray>>& headers) {
  QNetworkRequest request{QUrl(url, QUrl::StrictMode)};
  if (!body.isEmpty()) request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
  for (const auto& h : headers) request.setRawHeader(h.first, h.second);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  QNetworkReply* reply = m_nam.sendCustomRequest(request, method, body);
  Reply r;
  if (!tbtest::waitUntil([&] { return reply->isFinished(); }, 15000)) {
    ADD_FAILURE() << "no answer to " << method.constData() << ' ' << url.toStdString();
    reply->abort();
  }
  r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  r.body = reply->readAll();
  r.error = reply->error();
  r.headers = reply->rawHeaderPairs();
  const QJsonDocument doc = QJsonDocument::fromJson(r.body);
  if (doc.isObject()) r.json = doc.object();
  reply->deleteLater();
  return r;
}

}  // namespace simtest
