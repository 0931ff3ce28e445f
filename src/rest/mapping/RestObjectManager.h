#pragma once
// The object manager: one client, one mapping provider and one router for a base URL. It
// builds object loaders for paths and records and sends them. The first manager made becomes
// the shared one.
#include "foundation/NotificationCenter.h"
#include "rest/mapping/RestObjectLoader.h"
#include "rest/mapping/RestObjectMappingProvider.h"
#include "rest/mapping/RestObjectRouter.h"
#include "rest/network/RestClient.h"

#include <QString>

#include <memory>

namespace rest {

inline constexpr const char* RestDidEnterOnlineModeNotification = "RestDidEnterOnlineModeNotification";
inline constexpr const char* RestDidEnterOfflineModeNotification = "RestDidEnterOfflineModeNotification";

enum RestObjectManagerOnlineState : int {
  RestObjectManagerOnlineStateUndetermined = 0,
  RestObjectManagerOnlineStateDisconnected = 1,
  RestObjectManagerOnlineStateConnected = 2,
};

class RestObjectManager {
 public:
  ~RestObjectManager();

  // Makes a manager with its own client for `baseURL`; the first one becomes the shared manager
  // (it lives for the rest of the process).
  static RestObjectManager* objectManagerWithBaseURL(const QString& baseURL);
  static RestObjectManager* sharedManager();
  // Forgets the shared manager (tests), so that the next one made becomes shared.
  static void resetSharedManager();

  RestClient* client() const { return m_client.get(); }
  // Re-points the client at another service (RestClient::pointAt); mappings and routes stay, and
  // the online state follows the new host's observer (undetermined until its first answer).
  void pointAt(const QString& baseURL);
  RestObjectMappingProvider& mappingProvider() { return m_mappingProvider; }
  RestObjectRouter& router() { return m_router; }

  const QString& serializationMIMEType() const { return m_serializationMIMEType; }
  void setSerializationMIMEType(const QString& type) { m_serializationMIMEType = type; }
  const QString& acceptMIMEType() const { return m_acceptMIMEType; }
  // Also the client's default "Accept" header.
  void setAcceptMIMEType(const QString& type);
  bool inferMappingsFromObjectTypes() const { return m_inferMappingsFromObjectTypes; }
  void setInferMappingsFromObjectTypes(bool infer) { m_inferMappingsFromObjectTypes = infer; }

  RestObjectManagerOnlineState onlineState() const { return m_onlineState; }
  bool isOnline() const { return m_onlineState == RestObjectManagerOnlineStateConnected; }
  bool isOffline() const { return m_onlineState == RestObjectManagerOnlineStateDisconnected; }

  // Loaders (each already sent).
  std::shared_ptr<RestObjectLoader> loadObjectsAtResourcePathDelegate(const QString& resourcePath,
                                                                     RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> getObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> postObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> putObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> deleteObjectDelegate(ObjectPtr object, RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> getObjectMapResponseWithDelegate(ObjectPtr object, RestObjectMappingPtr mapping,
                                                                     RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> postObjectMapResponseWithDelegate(ObjectPtr object, RestObjectMappingPtr mapping,
                                                                      RestObjectLoaderDelegate* delegate);
  std::shared_ptr<RestObjectLoader> putObjectMapResponseWithDelegate(ObjectPtr object, RestObjectMappingPtr mapping,
                                                                     RestObjectLoaderDelegate* delegate);

  // A loader for a path, set up but not sent.
  std::shared_ptr<RestObjectLoader> objectLoaderWithResourcePathDelegate(const QString& resourcePath,
                                                                        RestObjectLoaderDelegate* delegate);
  // A loader for a record sent with `method` on its route, set up but not sent.
  std::shared_ptr<RestObjectLoader> objectLoaderForObjectMethodDelegate(ObjectPtr object, RestRequestMethod method,
                                                                       RestObjectLoaderDelegate* delegate);

  void cancelRequestsWithDelegate(RestObjectLoaderDelegate* delegate);

 private:
  explicit RestObjectManager(const QString& baseURL);
  std::shared_ptr<RestObjectLoader> sendObject(ObjectPtr object, RestRequestMethod method, RestObjectMappingPtr mapping,
                                               bool explicitMapping, RestObjectLoaderDelegate* delegate);
  void send(const std::shared_ptr<RestObjectLoader>& loader);
  void reachabilityChanged();
  void observeReachability();

  std::shared_ptr<RestClient> m_client;
  RestObjectMappingProvider m_mappingProvider;
  RestObjectRouter m_router;
  QString m_serializationMIMEType = QStringLiteral("application/x-www-form-urlencoded");
  QString m_acceptMIMEType;
  bool m_inferMappingsFromObjectTypes = false;
  RestObjectManagerOnlineState m_onlineState = RestObjectManagerOnlineStateUndetermined;
  foundation::Observation m_reachabilityObservation;
};

const char* verbForMethod(RestRequestMethod method);

}  // namespace rest
