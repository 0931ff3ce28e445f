#pragma once
// The simulated service in-process for contract tests: the demo home, the built-in users, a
// clock the test steps, a real HTTP server on a free loopback port, and a QNetworkAccessManager
// client with bounded waits.
#include "core/HttpServer.h"
#include "home/CloudService.h"

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <memory>

namespace simtest {

// 3 March 2013, 12:00 UTC.
inline constexpr qint64 kStartMs = 1362312000000;
inline constexpr const char* kToken = "test-control-token";

struct Reply {
  int status = 0;
  QByteArray body;
  QJsonObject json;  // the body when it is a JSON object
  QNetworkReply::NetworkError error = QNetworkReply::NoError;
  QList<QNetworkReply::RawHeaderPair> headers;
  QByteArray header(const QByteArray& name) const;
};

simhome::ServiceOptions testOptions();

class SimHarness {
 public:
  explicit SimHarness(simhome::ServiceOptions options = testOptions());
  ~SimHarness();

  simhome::SteppedClock clock{kStartMs};
  simhome::CloudService& service() { return *m_service; }
  simcore::HttpServer& server() { return *m_server; }
  QString baseUrl() const;  // "http://127.0.0.1:<port>/tavrobox/v1"

  // Sends `method` to the base URL + `path`; `body` goes as JSON when not empty.
  Reply send(const QByteArray& method, const QString& path, const QByteArray& body = {},
             const QList<QPair<QByteArray, QByteArray>>& headers = {});
  // The same with ";jsessionid=<session>" appended to the path (the signed-in session by default).
  Reply call(const QByteArray& method, const QString& path, const QByteArray& body = {},
             const QList<QPair<QByteArray, QByteArray>>& headers = {});
  // Signs in and keeps the session for call(); returns the session identifier ("" on failure).
  QString signIn(const QString& login = QStringLiteral("demo"), const QString& password = QStringLiteral("demo"));
  // A request to the control interface, with the token unless told otherwise.
  Reply control(const QByteArray& method, const QString& path, const QByteArray& body = {}, bool withToken = true);

  QString session;

 private:
  Reply perform(const QByteArray& method, const QString& url, const QByteArray& body,
                const QList<QPair<QByteArray, QByteArray>>& headers);
  std::unique_ptr<simhome::CloudService> m_service;
  std::unique_ptr<simcore::HttpServer> m_server;
  QNetworkAccessManager m_nam;
};

// Sign-in body for a login and clear password.
QByteArray signInBody(const QString& login, const QString& password, const QString& ihm = QStringLiteral("iphone"));

}  // namespace simtest
