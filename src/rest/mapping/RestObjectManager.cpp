#include "rest/mapping/RestObjectManager.h"

#include "rest/network/RestNotifications.h"
#include "rest/network/RestReachabilityObserver.h"
#include "rest/network/RestRequestQueue.h"
#include "rest/support/RestError.h"

#include <memory>

namespace rest {

namespace {
std::unique_ptr<RestObjectManager>& sharedSlot() {
  static std::unique_ptr<RestObjectManager> slot;
  return slot;
}
// Managers made after the shared one belong to whoever made them (tests); they are kept here so
// the raw pointers handed out stay valid for the life of the process.
std::vector<std::unique_ptr<RestObjectManager>>& otherManagers() {
  static std::vector<std::unique_ptr<RestObjectManager>> managers;
  return managers;
}
}  // namespace

const char* verbForMethod(RestRequestMethod method) {
  switch (method) {
    case RestRequestMethodGET: return "GET";
    case RestRequestMethodPOST: return "POST";
    case RestRequestMethodPUT: return "PUT";
    case RestRequestMethodDELETE: return "DELETE";
    case RestRequestMethodHEAD: return "HEAD";
  }
  return "GET";
}

RestObjectManager::RestObjectManager(const QString& baseURL) : m_client(RestClient::clientWithBaseURL(baseURL)) {
  setAcceptMIMEType(QStringLiteral("application/json"));
  observeReachability();
}

void RestObjectManager::observeReachability() {
  m_reachabilityObservation.reset();
  if (const auto& observer = m_client->reachabilityObserver()) {
    m_reachabilityObservation = foundation::NotificationCenter::defaultCenter().addObserver(
        RestReachabilityDidChangeNotification, [this](const foundation::Notification&) { reachabilityChanged(); },
        observer.get());
    if (observer->isReachabilityDetermined()) reachabilityChanged();
  }
}

void RestObjectManager::pointAt(const QString& baseURL) {
  m_client->pointAt(baseURL);
  m_onlineState = RestObjectManagerOnlineStateUndetermined;
  observeReachability();
}

RestObjectManager::~RestObjectManager() = default;

RestObjectManager* RestObjectManager::objectManagerWithBaseURL(const QString& baseURL) {
  std::unique_ptr<RestObjectManager> manager(new RestObjectManager(baseURL));
  RestObjectManager* raw = manager.get();
  if (!sharedSlot()) {
    sharedSlot() = std::move(manager);
  } else {
    otherManagers().push_back(std::move(manager));
  }
  return raw;
}

RestObjectManager* RestObjectManager::sharedManager() { return sharedSlot().get(); }

void RestObjectManager::resetSharedManager() {
  if (sharedSlot()) otherManagers().push_back(std::move(sharedSlot()));
}

void RestObjectManager::setAcceptMIMEType(const QString& type) {
  m_acceptMIMEType = type;
  m_client->setValueForHTTPHeaderField(type, QStringLiteral("Accept"));
}

void RestObjectManager::reachabilityChanged() {
  const auto& observer = m_client->reachabilityObserver();
  if (!observer || !observer->isReachabilityDetermined()) return;
  const auto state = observer->isNetworkReachable() ? RestObjectManagerOnlineStateConnected
                                                    : RestObjectManagerOnlineStateDisconnected;
  if (state == m_onlineState) return;
  m_onlineState = state;
  foundation::NotificationCenter::defaultCenter().post(state == RestObjectManagerOnlineStateConnected
                                                           ? RestDidEnterOnlineModeNotification
                                                           : RestDidEnterOfflineModeNotification,
                                                       this);
}

std::shared_ptr<RestObjectLoader> RestObjectManager::objectLoaderWithResourcePathDelegate(const QString& resourcePath,
                                                                                         RestObjectLoaderDelegate* delegate) {
  auto url = m_client->URLForResourcePath(resourcePath);
  const bool valid = url.has_value();
  // A path that makes no URL still gets a loader (on the base URL), which fails without sending.
  if (!valid) url = RestURL::URLWithBaseURLString(m_client->baseURL(), QString());
  if (!url) url = RestURL::URLWithBaseURLString(QStringLiteral("http://invalid.invalid"), QString());
  auto loader = std::make_shared<RestObjectLoader>(*url, this, delegate);
  m_client->setupRequest(loader.get());
  loader->setMappingProvider(m_mappingProvider);
  loader->setSerializationMIMEType(m_serializationMIMEType);
  if (!valid) {
    loader->failWithoutSending(foundation::Error{kRestErrorDomain, kRestObjectMappingInvalidPath,
                                                 "No valid URL for the resource path '" + resourcePath.toStdString() +
                                                     "' on " + m_client->baseURL().toStdString()});
  }
  return loader;
}

std::shared_ptr<RestObjectLoader> RestObjectManager::objectLoaderForObjectMethodDelegate(ObjectPtr object,
                                                                                        RestRequestMethod method,
                                                                                        RestObjectLoaderDelegate* delegate) {
  if (!object) qFatal("Cannot send a missing record.");
  auto path = m_router.resourcePathForObjectVerb(*object, verbForMethod(method));
  auto loader = objectLoaderWithResourcePathDelegate(path.ok() ? QString::fromStdString(*path) : QString(), delegate);
  loader->setMethod(method);
  loader->setSourceObject(object);
  loader->setTargetObject(object);
  loader->setSerializationMapping(m_mappingProvider.serializationMappingForClass(object->objectClass()));
  if (m_inferMappingsFromObjectTypes) loader->setObjectMapping(m_mappingProvider.objectMappingForClass(object->objectClass()));
  if (!path.ok()) {
    loader->failWithoutSending(foundation::Error{kRestErrorDomain, kRestObjectMappingInvalidPath,
                                                 "Unable to build the path of a '" + object->objectClass().name() +
                                                     "' record: " + path.error().message});
  }
  return loader;
}

void RestObjectManager::send(const std::shared_ptr<RestObjectLoader>& loader) {
  if (loader->hasFailedBeforeSending()) return;
  auto body = loader->prepareBody();
  if (!body.ok()) {
    loader->failWithoutSending(body.error());
    return;
  }
  loader->send();
}

std::shared_ptr<RestObjectLoader> RestObjectManager::loadObjectsAtResourcePathDelegate(const QString& resourcePath,
                                                                                      RestObjectLoaderDelegate* delegate) {
  auto loader = objectLoaderWithResourcePathDelegate(resourcePath, delegate);
  loader->setMethod(RestRequestMethodGET);
  send(loader);
  return loader;
}

std::shared_ptr<RestObjectLoader> RestObjectManager::sendObject(ObjectPtr object, RestRequestMethod method,
                                                                RestObjectMappingPtr mapping, bool explicitMapping,
                                                                RestObjectLoaderDelegate* delegate) {
  auto loader = objectLoaderForObjectMethodDelegate(std::move(object), method, delegate);
  if (explicitMapping) {
    loader->setObjectMapping(mapping);
    // The record is mapped into only when it is exactly of the mapping's class.
    const auto* cls = mapping ? mapping->objectClass() : nullptr;
    if (!cls || !loader->sourceObject()->isMemberOfClass(*cls)) loader->setTargetObject(nullptr);
  }
  send(loader);
  return loader;
}

std::shared_ptr<RestObjectLoader> RestObjectManager::getObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodGET, nullptr, false, delegate);
}
std::shared_ptr<RestObjectLoader> RestObjectManager::postObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodPOST, nullptr, false, delegate);
}
std::shared_ptr<RestObjectLoader> RestObjectManager::putObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodPUT, nullptr, false, delegate);
}
std::shared_ptr<RestObjectLoader> RestObjectManager::deleteObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodDELETE, nullptr, false, delegate);
}
std::shared_ptr<RestObjectLoader> RestObjectManager::getObjectMapResponseWithDelegate(ObjectPtr object, RestObjectMappingPtr mapping,
                                                                                     RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodGET, std::move(mapping), true, delegate);
}
std::shared_ptr<RestObjectLoader> RestObjectManager::postObjectMapResponseWithDelegate(ObjectPtr object, RestObjectMappingPtr mapping,
                                                                                      RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodPOST, std::move(mapping), true, delegate);
}
std::shared_ptr<RestObjectLoader> RestObjectManager::putObjectMapResponseWithDelegate(ObjectPtr object, RestObjectMappingPtr mapping,
                                                                                     RestObjectLoaderDelegate* delegate) {
  return sendObject(std::move(object), RestRequestMethodPUT, std::move(mapping), true, delegate);
}

void RestObjectManager::cancelRequestsWithDelegate(RestObjectLoaderDelegate* delegate) {
  if (const auto& queue = m_client->requestQueue()) queue->cancelRequestsWithDelegate(delegate);
  RestObjectLoader::detachDelegate(delegate);
}

}  // namespace rest
