#pragma once
// The HTTP transport behind every request: one QNetworkAccessManager per thread (the main
// thread's lives as long as the application object).
class QAuthenticator;
class QNetworkAccessManager;
class QObject;
class QNetworkReply;

namespace rest {

class RestTransport {
 public:
  static QNetworkAccessManager* manager();

 private:
  static QNetworkAccessManager* makeManager(QObject* parent);
  static void answerChallenge(QNetworkReply* reply, QAuthenticator* authenticator);
};

}  // namespace rest
