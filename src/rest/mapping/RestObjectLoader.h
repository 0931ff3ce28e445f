#pragma once
// A request that sends a record (serialized by its mapping) or loads a path, and maps the JSON
// answer to records on a worker thread. The delegate hears, on the main thread:
// requestDidLoadResponse, then either objectLoaderDidLoadObjectDictionary /
// objectLoaderDidLoadObjects / objectLoaderDidLoadObject or objectLoaderDidFailWithError, then
// objectLoaderDidFinishLoading. The queue moves on only after that.
//
// Answers are mapped on a pool of the REST layer's own, whose workers never wait for the main
// thread: they post the outcome and end, and the pool is drained when the application goes, so
// quitting while an answer is mapped never hangs. A loader whose delegate is destroyed, or that is
// cancelled, while its answer is being mapped delivers nothing (a cancelled one tells its
// delegate requestDidCancelLoad instead).
#include "rest/mapping/RestObjectMappingProvider.h"
#include "rest/mapping/RestObjectMappingResult.h"
#include "rest/network/RestRequest.h"

#include <QString>

#include <string>

#include <memory>
#include <optional>

namespace rest {

class RestObjectLoader;
class RestObjectManager;

// What a successful answer must hold to count as one: a list (possibly empty) or a single record
// at a key path ("" is the whole answer). An answer without it, with something of another shape
// there, or with no body at all, fails as nothing mappable (1001) instead of being delivered as
// an empty success.
struct RestExpectedAnswer {
  enum Kind { Anything, Record, List };
  Kind kind = Anything;
  std::string keyPath;
};

class RestObjectLoaderDelegate : public RestRequestDelegate {
 public:
  // Loaders still working for this delegate are cancelled: it is never called after its death.
  ~RestObjectLoaderDelegate() override;

  virtual void objectLoaderDidLoadObjects(RestObjectLoader* loader, const ObjectList& objects) = 0;
  virtual void objectLoaderDidFailWithError(RestObjectLoader* loader, const foundation::Error& error) = 0;
  virtual void objectLoaderDidLoadObjectDictionary(RestObjectLoader* /*loader*/, const RestObjectMappingResult& /*result*/) {}
  virtual void objectLoaderDidLoadObject(RestObjectLoader* /*loader*/, const ObjectPtr& /*object*/) {}
  virtual void objectLoaderDidFinishLoading(RestObjectLoader* /*loader*/) {}
};

class RestObjectLoader : public RestRequest {
  Q_OBJECT

 public:
  RestObjectLoader(const RestURL& URL, RestObjectManager* manager, RestObjectLoaderDelegate* delegate);
  ~RestObjectLoader() override;

  RestObjectManager* objectManager() const { return m_objectManager; }
  RestObjectLoaderDelegate* objectLoaderDelegate() const;

  const ObjectPtr& sourceObject() const { return m_sourceObject; }
  void setSourceObject(ObjectPtr object) { m_sourceObject = std::move(object); }
  // The record answers are mapped into (by default the sent record).
  const ObjectPtr& targetObject() const { return m_targetObject; }
  void setTargetObject(ObjectPtr object) { m_targetObject = std::move(object); }
  // An explicit mapping for the whole answer; without one the provider's key paths are used.
  const RestObjectMappingPtr& objectMapping() const { return m_objectMapping; }
  void setObjectMapping(RestObjectMappingPtr mapping) { m_objectMapping = std::move(mapping); }
  const RestObjectMappingPtr& serializationMapping() const { return m_serializationMapping; }
  void setSerializationMapping(RestObjectMappingPtr mapping) { m_serializationMapping = std::move(mapping); }
  const QString& serializationMIMEType() const { return m_serializationMIMEType; }
  void setSerializationMIMEType(const QString& type) { m_serializationMIMEType = type; }
  // The provider answers are mapped with (the manager's, copied when the loader is made).
  void setMappingProvider(const RestObjectMappingProvider& provider) { m_provider = provider; }

  const RestExpectedAnswer& expectedAnswer() const { return m_expectedAnswer; }
  void setExpectedAnswer(RestExpectedAnswer expected) { m_expectedAnswer = std::move(expected); }

  // The mapped answer of a successful load.
  const std::optional<RestObjectMappingResult>& result() const { return m_result; }

  // Writes the source record into the body with the serialization mapping (POST and PUT).
  // A record that yields no member gets no body; an error is reported before anything is sent.
  foundation::Status prepareBody();

  bool isDelivering() const override { return m_mapping; }

  // Waits until no answer is being mapped (the outcomes may still wait for the main thread).
  static void waitForMappings();

  void didFinishLoad(const std::shared_ptr<RestResponse>& response) override;
  void didFailLoadWithError(const foundation::Error& error) override;

  // Reports `error` to the delegate on the next turn of the event loop, without sending.
  void failWithoutSending(const foundation::Error& error);
  bool hasFailedBeforeSending() const { return m_failedBeforeSending; }

  // Called by a dying delegate: every loader that still reports to it forgets it.
  static void detachDelegate(RestObjectLoaderDelegate* delegate);

 protected:
  bool cancelDelivery() override;

 private:
  struct Outcome;
  void mapInBackground(const std::shared_ptr<RestResponse>& response);
  void deliver(Outcome& outcome);
  // `announce`: the load ends here (posted, and told to the queue); false for a loader that never sent.
  void reportFailure(const foundation::Error& error, bool announce);

  RestObjectManager* m_objectManager;
  ObjectPtr m_sourceObject;
  ObjectPtr m_targetObject;
  RestObjectMappingPtr m_objectMapping;
  RestObjectMappingPtr m_serializationMapping;
  QString m_serializationMIMEType = QStringLiteral("application/json");
  RestObjectMappingProvider m_provider;
  std::optional<RestObjectMappingResult> m_result;
  bool m_failedBeforeSending = false;
  bool m_mapping = false;  // the answer is on the pool; its outcome not yet delivered
  RestExpectedAnswer m_expectedAnswer;
};

}  // namespace rest
