#include "backend/ServiceBase.h"

#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/BEStatusCodeManager.h"
#include "foundation/NotificationCenter.h"
#include "patterns/PercentEncoding.h"
#include "rest/mapping/RestObjectManager.h"

namespace backend {

namespace {
const char* verbOf(rest::RestRequestMethod method) {
  switch (method) {
    case rest::RestRequestMethodGET: return "GET";
    case rest::RestRequestMethodPOST: return "POST";
    case rest::RestRequestMethodPUT: return "PUT";
    case rest::RestRequestMethodDELETE: return "DELETE";
    case rest::RestRequestMethodHEAD: return "HEAD";
  }
  return "ANY";
}
}  // namespace

rest::RestObjectManager& ServiceBase::manager() {
  rest::RestObjectManager* shared = rest::RestObjectManager::sharedManager();
  if (!shared) qFatal("A service was used before BERestConfig::initRestLayer configured the REST layer");
  return *shared;
}

rest::RestObjectMappingPtr ServiceBase::mappingForClass(const rest::ObjectClass& cls) {
  return manager().mappingProvider().objectMappingForClass(cls);
}

std::string ServiceBase::currentSession() { return BESessionManager::getInstance().sessionId(); }

QString ServiceBase::sessionPath(const QString& path) { return BERestConfig::getSessionPathFor(path); }

QString ServiceBase::escapedSegment(const QString& segment) {
  return QString::fromStdString(patterns::percentEncode(segment.toStdString()));
}

void ServiceBase::registerRoute(const rest::ObjectClass& cls, const QString& path, rest::RestRequestMethod method) {
  rest::RestObjectRouter& router = manager().router();
  if (router.routeFor(cls, verbOf(method))) return;
  router.routeClassToResourcePathForMethod(cls, BERestConfig::getSessionRouterPathFor(path).toStdString(), method);
}

void ServiceBase::loadSessionPath(const QString& path) {
  manager().loadObjectsAtResourcePathDelegate(sessionPath(path), this);
}

void ServiceBase::putRecord(const rest::ObjectPtr& record) { manager().putObjectDelegate(record, this); }

bool ServiceBase::wasSentToSessionPath(const rest::RestObjectLoader* loader, const QString& path) {
  return loader && loader->wasSentToResourcePath(sessionPath(path));
}

bool ServiceBase::resourcePathContains(const rest::RestObjectLoader* loader, const QString& fragment) {
  return loader && loader->resourcePath().contains(fragment);
}

int ServiceBase::statusCode(const rest::RestObjectLoader* loader) {
  return loader && loader->response() ? loader->response()->statusCode() : 0;
}

void ServiceBase::post(const char* name) { foundation::NotificationCenter::defaultCenter().post(name); }

void ServiceBase::dispatchStatusCode(const rest::RestObjectLoader* loader, const foundation::Error& error) {
  BEStatusCodeManager::errorWithOLWithError(loader, error);
}

}  // namespace backend
