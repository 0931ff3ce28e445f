#include "rest/mapping/RestObjectLoader.h"

#include "foundation/Logging.h"
#include "rest/mapping/RestErrorMessage.h"
#include "rest/mapping/RestObjectMapper.h"
#include "rest/mapping/RestObjectSerializer.h"
#include "rest/network/RestNotifications.h"
#include "rest/network/RestRequestSerialization.h"
#include "rest/support/RestError.h"
#include "rest/support/RestParserRegistry.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <map>
#include <set>

namespace rest {

namespace {
// Loaders alive, so a dying delegate can be detached from them (main thread only). Never
// destroyed: a loader still queued when the program ends is destroyed with the queue, among
// the other static objects, and must still find the set.
std::set<RestObjectLoader*>& liveLoaders() {
  static auto* loaders = new std::set<RestObjectLoader*>;
  return *loaders;
}

// Loaders whose answers are being mapped stay alive until their outcome is delivered (main
// thread only). The holds belong to the application object rather than to the loaders
// themselves: when the application is destroyed while an answer is mapped, it first waits for
// the mapping workers (which then find no event loop to deliver to), and the loaders are
// released with it instead of keeping themselves alive forever.
class MappingHolds : public QObject {
 public:
  static MappingHolds* forApplication() {
    static QPointer<MappingHolds> holds;
    if (!holds && QCoreApplication::instance()) holds = new MappingHolds(QCoreApplication::instance());
    return holds.data();
  }
  void hold(const RestRequest* loader, std::shared_ptr<RestRequest> self) { m_held[loader] = std::move(self); }
  std::shared_ptr<RestRequest> release(const RestRequest* loader) {
    const auto it = m_held.find(loader);
    if (it == m_held.end()) return nullptr;
    auto self = std::move(it->second);
    m_held.erase(it);
    return self;
  }
  ~MappingHolds() override {
    auto held = std::move(m_held);  // the loaders go with this map, after the member is empty
    m_held.clear();
  }

 private:
  explicit MappingHolds(QObject* parent) : QObject(parent) {}
  std::map<const RestRequest*, std::shared_ptr<RestRequest>> m_held;
};

// The mapping workers. Drained first thing when the application goes (its post routines run
// before it waits for Qt's global pool), and never deleted: loaders of static objects may still
// ask for it during exit.
QThreadPool& mappingPool() {
  static QThreadPool* pool = [] {
    auto* created = new QThreadPool;
    created->setObjectName(QStringLiteral("rest.mapping"));
    if (QCoreApplication::instance()) qAddPostRoutine([] { mappingPool().waitForDone(); });
    return created;
  }();
  return *pool;
}

bool isBlank(const QByteArray& body) {
  for (const char c : body) {
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
  }
  return true;
}

// "error" and "errors" of a failed answer: each element (or the single value) becomes one
// message, its whole value as the text.
foundation::Result<RestObjectMappingResult> mapErrorMessages(const json::Value& root) {
  RestObjectMappingResult result;
  bool found = false;
  for (const char* keyPath : {"error", "errors"}) {
    auto value = root.find(keyPath);
    if (!value || value->isNull()) continue;
    found = true;
    auto messageOf = [](const json::Value& v) {
      auto message = std::make_shared<RestErrorMessage>();
      if (v.isString()) {
        message->errorMessage = std::string(v.stringValue());
      } else if (v.isNumber()) {
        message->errorMessage = v.numberText();
      } else if (v.isBool()) {
        message->errorMessage = v.boolValue() ? "true" : "false";
      } else if (v.isObject()) {
        // An object message: its "message"/"error" member when there is one.
        for (const char* key : {"message", "error", "errorMessage"}) {
          if (auto m = v.find(key); m && m->isString()) {
            message->errorMessage = std::string(m->stringValue());
            break;
          }
        }
      }
      return message;
    };
    if (value->isArray()) {
      ObjectList list;
      for (json::Value element : value->elements()) list.push_back(messageOf(element));
      result.set(keyPath, std::move(list));
    } else {
      result.set(keyPath, ObjectPtr(messageOf(*value)));
    }
  }
  if (!found && !((root.isObject() || root.isArray()) && root.empty()))
    return foundation::Error{kRestErrorDomain, kRestObjectMappingNoMatch, "Could not find an object mapping for keyPath: ''"};
  return result;
}
}  // namespace

namespace {
// The failure of an answer that does not hold what was expected of it, or none.
std::optional<foundation::Error> unexpectedAnswer(const RestObjectMappingResult& result, bool blank,
                                                  const RestExpectedAnswer& expected) {
  if (expected.kind == RestExpectedAnswer::Anything) return std::nullopt;
  bool found = false;
  if (!blank) {
    for (const auto& [keyPath, entry] : result.asDictionary()) {
      if (keyPath != expected.keyPath) continue;
      found = expected.kind == RestExpectedAnswer::List ? std::holds_alternative<ObjectList>(entry)
                                                        : std::holds_alternative<ObjectPtr>(entry);
    }
  }
  if (found) return std::nullopt;
  return foundation::Error{kRestErrorDomain, kRestObjectMappingNoMatch,
                           "Could not find an object mapping for keyPath: '" + expected.keyPath + "'"};
}
}  // namespace

struct RestObjectLoader::Outcome {
  std::optional<foundation::Result<RestObjectMappingResult>> mapped;
  bool blank = false;  // no body to map
  std::vector<std::string> warnings;
  bool errorStatus = false;  // a 4xx/5xx answer: mapped into its error messages
};

RestObjectLoaderDelegate::~RestObjectLoaderDelegate() { RestObjectLoader::detachDelegate(this); }

RestObjectLoader::RestObjectLoader(const RestURL& URL, RestObjectManager* manager, RestObjectLoaderDelegate* delegate)
    : RestRequest(URL, delegate), m_objectManager(manager) {
  liveLoaders().insert(this);
}

RestObjectLoader::~RestObjectLoader() { liveLoaders().erase(this); }

RestObjectLoaderDelegate* RestObjectLoader::objectLoaderDelegate() const {
  return dynamic_cast<RestObjectLoaderDelegate*>(delegate());
}

void RestObjectLoader::detachDelegate(RestObjectLoaderDelegate* delegate) {
  // Copy: cancelling may end other loaders.
  const std::set<RestObjectLoader*> loaders = liveLoaders();
  for (RestObjectLoader* loader : loaders) {
    if (liveLoaders().count(loader) && loader->delegate() == delegate) {
      loader->setDelegate(nullptr);
      if (loader->isLoading()) loader->cancel();
    }
  }
}

foundation::Status RestObjectLoader::prepareBody() {
  if (!m_sourceObject || (!isPOST() && !isPUT()) || params()) return foundation::Ok{};
  if (!m_serializationMapping)
    qFatal("You must provide a serialization mapping for objects of type '%s'", m_sourceObject->objectClass().name().c_str());
  auto body = serializeObjectToJSON(*m_sourceObject, *m_serializationMapping);
  if (!body.ok()) {
    return foundation::Error{kRestErrorDomain, kRestSerializationError,
                             "The record could not be written as JSON: " + body.error().message};
  }
  if (body->has_value()) {
    setParams(RestRequestSerialization::serializationWithDataMIMEType(QByteArray::fromStdString(**body),
                                                                       m_serializationMIMEType));
  }
  return foundation::Ok{};
}

void RestObjectLoader::failWithoutSending(const foundation::Error& error) {
  if (m_failedBeforeSending) return;
  m_failedBeforeSending = true;
  auto self = std::static_pointer_cast<RestObjectLoader>(shared_from_this());
  QMetaObject::invokeMethod(
      this, [self, error]() { self->reportFailure(error, false); }, Qt::QueuedConnection);
}

void RestObjectLoader::didFinishLoad(const std::shared_ptr<RestResponse>& response) {
  auto keepAlive = takeSelfReference();
  const auto final = completeLoad(response);
  if (delegate()) delegate()->requestDidLoadResponse(this, final.get());
  if (final->isServiceUnavailable()) postNotification(RestServiceDidBecomeUnavailableNotification);

  if (final->isFailure()) {
    reportFailure(*final->failureError(), true);
    return;
  }
  if (!RestParserRegistry::sharedRegistry().parserForMIMEType(final->MIMEType())) {
    qCWarning(lcRestObjectMapping, "Encountered unexpected response with status code: %d (MIME Type: %s)",
              final->statusCode(), qUtf8Printable(final->MIMEType()));
    reportFailure(foundation::Error{kRestErrorDomain, kRestUnexpectedResponse,
                                    QStringLiteral("Encountered unexpected response with status code: %1 (MIME Type: %2)")
                                        .arg(final->statusCode())
                                        .arg(final->MIMEType())
                                        .toStdString()},
                  true);
    return;
  }
  if (auto* holds = MappingHolds::forApplication()) holds->hold(this, keepAlive ? keepAlive : shared_from_this());
  mapInBackground(final);
}

void RestObjectLoader::mapInBackground(const std::shared_ptr<RestResponse>& response) {
  // Everything the worker needs is copied: it never touches the loader, which may die meanwhile.
  const QByteArray body = response->body();
  const bool errorStatus = response->isError();
  const QString mimeType = response->MIMEType();
  const RestParser* parser = RestParserRegistry::sharedRegistry().parserForMIMEType(mimeType);
  auto provider = std::make_shared<RestObjectMappingProvider>(m_provider);
  auto mapping = m_objectMapping;
  auto target = m_targetObject;
  std::weak_ptr<RestRequest> weakSelf = shared_from_this();

  auto work = [body, errorStatus, parser, provider, mapping, target, weakSelf]() {
    auto outcome = std::make_shared<Outcome>();
    outcome->errorStatus = errorStatus;
    if (isBlank(body)) {
      outcome->blank = true;
      RestObjectMappingResult empty;
      if (target && !errorStatus) empty.set("", target);
      outcome->mapped = std::move(empty);
    } else {
      auto document = (*parser)(std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
      if (!document.ok()) {
        outcome->mapped = document.error();
      } else if (errorStatus) {
        outcome->mapped = mapErrorMessages(document->root());
      } else {
        RestObjectMapper mapper = mapping ? RestObjectMapper(document->root(), mapping)
                                          : RestObjectMapper(document->root(), *provider);
        if (target) mapper.setTargetObject(target);
        outcome->mapped = mapper.performMapping();
        outcome->warnings = mapper.warnings();
        for (const auto& e : mapper.errors()) outcome->warnings.push_back(e.message);
      }
    }
    // Handed to the main thread without waiting for it: during the application's exit the main
    // thread waits for this pool, and the hand-over is dropped with the application.
    QObject* mainContext = QCoreApplication::instance();
    if (!mainContext) return;
    QMetaObject::invokeMethod(
        mainContext,
        [weakSelf, outcome]() {
          if (auto self = std::static_pointer_cast<RestObjectLoader>(weakSelf.lock())) self->deliver(*outcome);
        },
        Qt::QueuedConnection);
  };
  m_mapping = true;
  mappingPool().start(std::move(work));
}

void RestObjectLoader::waitForMappings() { mappingPool().waitForDone(); }

bool RestObjectLoader::cancelDelivery() { return std::exchange(m_mapping, false); }

void RestObjectLoader::deliver(Outcome& outcome) {
  std::shared_ptr<RestRequest> keepAlive;
  if (auto* holds = MappingHolds::forApplication()) keepAlive = holds->release(this);
  for (const auto& w : outcome.warnings) qCWarning(lcRestObjectMapping, "%s", w.c_str());
  const bool cancelled = !std::exchange(m_mapping, false);
  if (!delegate() || cancelled) {
    // Cancelled, or its delegate died, while the answer was being mapped: nothing to tell; the
    // queue still hears that the request is over.
    announceLoad(response().get());
    return;
  }
  auto& mapped = *outcome.mapped;
  if (!mapped.ok()) {
    reportFailure(mapped.error(), true);
    return;
  }
  if (outcome.errorStatus) {
    reportFailure(mapped->asError(), true);
    return;
  }
  if (auto missing = unexpectedAnswer(*mapped, outcome.blank, m_expectedAnswer)) {
    qCWarning(lcRestObjectMapping, "%s", missing->message.c_str());
    reportFailure(*missing, true);
    return;
  }
  m_result = std::move(mapped).value();
  const ObjectList objects = m_result->asCollection();
  if (auto* d = objectLoaderDelegate()) d->objectLoaderDidLoadObjectDictionary(this, *m_result);
  if (auto* d = objectLoaderDelegate()) d->objectLoaderDidLoadObjects(this, objects);
  if (auto* d = objectLoaderDelegate()) d->objectLoaderDidLoadObject(this, m_result->asObject());
  if (auto* d = objectLoaderDelegate()) d->objectLoaderDidFinishLoading(this);
  announceLoad(response().get());
}

void RestObjectLoader::didFailLoadWithError(const foundation::Error& error) {
  auto keepAlive = takeSelfReference();
  if (answerFromCacheOnError()) return;
  completeFailure(error);
  if (delegate()) delegate()->requestDidFailLoadWithError(this, error);
  reportFailure(error, true);
}

void RestObjectLoader::reportFailure(const foundation::Error& error, bool announce) {
  auto keepAlive = shared_from_this();
  if (auto* d = objectLoaderDelegate()) d->objectLoaderDidFailWithError(this, error);
  if (auto* d = objectLoaderDelegate()) d->objectLoaderDidFinishLoading(this);
  if (announce) announceFailure(error);
}

}  // namespace rest
