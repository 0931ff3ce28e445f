#include "rest/network/RestTransport.h"

#include "rest/network/RestTransfer.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QThread>

#include <memory>

namespace rest {

namespace {

QPointer<QNetworkAccessManager>& mainThreadManager() {
  static QPointer<QNetworkAccessManager> manager;
  return manager;
}

// Runs at the start of the application's destruction, while it is still whole: connections the
// manager's thread still holds are closed then, and closing a TLS connection needs the
// application (deleted later as one of its children, the manager warned from a half-destroyed
// application).
void deleteMainThreadManager() { delete mainThreadManager().data(); }

}  // namespace

void RestTransport::answerChallenge(QNetworkReply* reply, QAuthenticator* authenticator) {
  if (auto* transfer = qobject_cast<RestTransfer*>(reply->parent())) transfer->answerChallenge(authenticator);
}

QNetworkAccessManager* RestTransport::makeManager(QObject* parent) {
  auto* manager = new QNetworkAccessManager(parent);
  // Each redirect is checked by the request (same scheme, host and port only).
  manager->setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
  QObject::connect(manager, &QNetworkAccessManager::authenticationRequired, manager, &answerChallenge);
  return manager;
}

QNetworkAccessManager* RestTransport::manager() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app && QThread::currentThread() == app->thread()) {
    QPointer<QNetworkAccessManager>& mainManager = mainThreadManager();
    if (!mainManager) {
      mainManager = makeManager(app);
      qAddPostRoutine(deleteMainThreadManager);
    }
    return mainManager;
  }
  thread_local std::unique_ptr<QNetworkAccessManager> threadManager;
  if (!threadManager) threadManager.reset(makeManager(nullptr));
  return threadManager.get();
}

}  // namespace rest
