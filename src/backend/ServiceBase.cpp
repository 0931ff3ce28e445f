#include "backend/ServiceBase.h"

#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/BEStatusCodeManager.h"
#include "backend/ServiceReachability.h"
#include "backend/SignInGate.h"
#include "foundation/Logging.h"
#include "foundation/NotificationCenter.h"
#include "patterns/PercentEncoding.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestRequestCache.h"
#include "rest/network/RestResponse.h"

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

void ServiceBase::defineOperation(int id, ServiceOperation operation) {
  if (id < 0) qFatal("A service operation needs an id of 0 or more");
  if (m_operations.size() <= static_cast<std::size_t>(id)) m_operations.resize(static_cast<std::size_t>(id) + 1);
  m_operations[static_cast<std::size_t>(id)] = std::move(operation);
}

rest::RestObjectManager& ServiceBase::manager() {
  rest::RestObjectManager* shared = rest::RestObjectManager::sharedManager();
  if (!shared) qFatal("A service was used before BERestConfig::initRestLayer configured the REST layer");
  return *shared;
}

rest::RestObjectMappingPtr ServiceBase::mappingForClass(const rest::ObjectClass& cls) {
  return manager().mappingProvider().objectMappingForClass(cls);
}

std::string ServiceBase::currentSession() { return BESessionManager::getInstance().sessionId(); }

std::string ServiceBase::sessionTag() {
  // Two services may well hand out the same session identifier: the server is part of the tag, so
  // that an answer of the server the app left never files into a session of the next one.
  return BERestConfig::getInstance().baseURL().toStdString() + '\n' + BESessionManager::getInstance().sessionId();
}

QString ServiceBase::sessionPath(const QString& path) { return BERestConfig::getSessionPathFor(path); }

QString ServiceBase::escapedSegment(const QString& segment) {
  return QString::fromStdString(patterns::percentEncode(segment.toStdString()));
}

void ServiceBase::registerRoute(const rest::ObjectClass& cls, const QString& path, rest::RestRequestMethod method) {
  rest::RestObjectRouter& router = manager().router();
  if (router.routeFor(cls, verbOf(method))) return;
  router.routeClassToResourcePathForMethod(cls, BERestConfig::getSessionRouterPathFor(path).toStdString(), method);
}

ReplyPtr ServiceBase::loadSessionPath(int op, const QString& path) {
  if (op >= 0 && static_cast<std::size_t>(op) < m_operations.size() && m_operations[static_cast<std::size_t>(op)].sessionBound) {
    const ServiceOperation& operation = m_operations[static_cast<std::size_t>(op)];
    if (ReplyPtr refused = backend::refusedBeforeSession(operation.name, operation.errorNames, false)) return refused;
  }
  return tag(op, manager().loadObjectsAtResourcePathDelegate(sessionPath(path), this));
}

ReplyPtr ServiceBase::putRecord(int op, const rest::ObjectPtr& record) {
  if (ReplyPtr refused = refusedWhileUnreachable(op)) return refused;
  return tag(op, manager().putObjectDelegate(record, this));
}

ReplyPtr ServiceBase::putCommand(int op, const rest::ObjectPtr& record, const Home::Key& key, const QString& value) {
  if (ReplyPtr refused = refusedWhileUnreachable(op)) return refused;
  Home& home = BESessionManager::getInstance().home();
  const Home::Ticket ticket = home.commandSent(key, value);
  ReplyPtr reply = tag(op, manager().putObjectDelegate(record, this), ticket);
  if (reply->isDone()) home.commandRefused(ticket);  // nothing went out
  return reply;
}

ReplyPtr ServiceBase::refusedWhileUnreachable(int op) {
  if (op >= 0 && static_cast<std::size_t>(op) < m_operations.size() && m_operations[static_cast<std::size_t>(op)].sessionBound) {
    const ServiceOperation& operation = m_operations[static_cast<std::size_t>(op)];
    if (ReplyPtr refused = backend::refusedBeforeSession(operation.name, operation.errorNames, true)) return refused;
  }
  if (!ServiceReachability::hasInstance()) return nullptr;
  const ServiceReachability& reachability = ServiceReachability::getInstance();
  if (!reachability.isStarted() || reachability.isServiceReachable()) return nullptr;
  if (op < 0 || static_cast<std::size_t>(op) >= m_operations.size()) qFatal("A request was sent for an undeclared operation");
  const ServiceOperation& operation = m_operations[static_cast<std::size_t>(op)];
  qCInfo(lcApp) << "Command" << operation.name << "refused: the service cannot be reached";
  postAll(operation.errorNames);
  if (refusalIsTold()) post(kServiceUnreachableCommandRefused);
  return Reply::failedNow();
}

ReplyPtr ServiceBase::tag(int op, const std::shared_ptr<rest::RestObjectLoader>& loader, Home::Ticket ticket) {
  if (op < 0 || static_cast<std::size_t>(op) >= m_operations.size()) qFatal("A request was sent for an undeclared operation");
  // A loader that could not be made (a route without a value) sent nothing.
  if (!loader) return Reply::failedNow();
  const ServiceOperation& operation = m_operations[static_cast<std::size_t>(op)];
  auto reply = std::make_shared<Reply>();
  // The answer is delivered on a later turn of the event loop at the earliest, so the tag is
  // always in place before it is read.
  const Home::Stamp sent = BESessionManager::getInstance().home().readSent();
  loader->setUserData(Tag{this, op, sessionTag(), reply, ticket, sent, StoredAnswers::readingStored()});
  loader->setExpectedAnswer(operation.expects);
  return reply;
}

const ServiceBase::Tag* ServiceBase::tagOf(const rest::RestObjectLoader* loader) const {
  if (!loader) return nullptr;
  const Tag* tag = std::any_cast<Tag>(&loader->userData());
  return tag && tag->service == this ? tag : nullptr;
}

const ServiceOperation* ServiceBase::operationOf(const Tag& tag) const {
  if (tag.op < 0 || static_cast<std::size_t>(tag.op) >= m_operations.size()) return nullptr;
  return &m_operations[static_cast<std::size_t>(tag.op)];
}

int ServiceBase::statusCode(const rest::RestObjectLoader* loader) {
  return loader && loader->response() ? loader->response()->statusCode() : 0;
}

void ServiceBase::post(const char* name) { foundation::NotificationCenter::defaultCenter().post(name); }

void ServiceBase::postAll(const std::vector<const char*>& names) {
  for (const char* name : names) post(name);
}

void ServiceBase::succeed(const ServiceOperation& op, const Tag& tag, bool unchanged) {
  BEStatusCodeManager::serviceAnswered();
  if (tag.ticket != 0) BESessionManager::getInstance().home().commandAccepted(tag.ticket);
  postAll(op.successNames);
  if (op.afterSuccess) op.afterSuccess();
  if (tag.reply) tag.reply->finish(unchanged);
}

void ServiceBase::failWith(const ServiceOperation& op, const Tag& tag, int status) {
  if (tag.ticket != 0) BESessionManager::getInstance().home().commandRefused(tag.ticket);
  postAll(op.errorNames);
  if (tag.reply) tag.reply->fail(status);
}

bool ServiceBase::answerUnchanged(const ServiceOperation& op, const rest::RestObjectLoader* loader) {
  // A stored answer stands in for a 304 (or a still-fresh entry); it is what the store holds only
  // when the store's data set was filed from this service in this session.
  const rest::RestResponse* response = loader ? loader->response().get() : nullptr;
  return op.store && response && response->wasLoadedFromCache() && StoredAnswers::hasInstance() &&
         StoredAnswers::getInstance().isFresh(op.dataSet);
}

void ServiceBase::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  const Tag* found = tagOf(loader);
  if (!found) return;
  const Tag tag = *found;  // the handlers below may release the loader's data
  const ServiceOperation* op = operationOf(tag);
  if (!op) return;

  if (tag.stored) {
    fileStored(*op, tag, loader, objects);
    return;
  }
  const int status = statusCode(loader);
  if (status >= kFirstGatewayCode || (op->requiresSuccessStatus && (status < 200 || status > 299))) {
    // The REST layer delivers such an answer as a success when its body maps; for the user it is
    // the box answering that it could not do it.
    fail(*op, tag, loader, FailureOutcome::Alert);
    return;
  }
  if (answerUnchanged(*op, loader)) {
    // The service confirmed (304) what the store already holds from it: nothing to file, and the
    // screens need not redraw.
    succeed(*op, tag, true);
    return;
  }
  if (op->store) {
    if (op->sessionBound && tag.session != sessionTag()) {
      qCInfo(lcApp) << "Answer of" << op->name << "for an earlier session; the store keeps the current session's data";
      failWith(*op, tag, status);
      return;
    }
    if (!op->store(objects, tag.sent)) {
      qCWarning(lcApp) << "Answer of" << op->name << "holds nothing to file";
      fail(*op, tag, loader, FailureOutcome::Alert);
      return;
    }
    if (op->dataSet != DataSet::None && StoredAnswers::hasInstance()) StoredAnswers::getInstance().freshFiled(op->dataSet);
  }
  succeed(*op, tag);
}

void ServiceBase::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& /*error*/) {
  const Tag* found = tagOf(loader);
  if (!found) return;
  const Tag tag = *found;
  const ServiceOperation* op = operationOf(tag);
  if (!op || tag.stored) return;  // nothing stored, or nothing usable: the fresh answer decides
  const FailureOutcome outcome = op->failureOutcome ? op->failureOutcome(statusCode(loader)) : FailureOutcome::Alert;
  fail(*op, tag, loader, outcome);
}

void ServiceBase::fileStored(const ServiceOperation& op, const Tag& tag, const rest::RestObjectLoader* loader,
                             const rest::ObjectList& objects) {
  // Stored answers tell nobody: no screen waits for them, and they raise no alert.
  const int status = statusCode(loader);
  if (!op.store || op.dataSet == DataSet::None || status < 200 || status > 299) return;
  if (tag.session != sessionTag() || !StoredAnswers::hasInstance()) return;
  StoredAnswers& answers = StoredAnswers::getInstance();
  if (!answers.wantsStored(op.dataSet)) return;  // the service has answered meanwhile
  // An earlier run's answer is older than every command of this one.
  if (!op.store(objects, 0)) return;
  const QString confirmed = loader->response() ? loader->response()->headerValue(QString::fromLatin1(rest::kCacheDateHeaderKey)) : QString();
  answers.storedFiled(op.dataSet, rest::RestRequestCache::parseCacheDate(confirmed));
}

void ServiceBase::fail(const ServiceOperation& op, const Tag& tag, const rest::RestObjectLoader* loader,
                       FailureOutcome outcome) {
  if (outcome == FailureOutcome::Success) {
    succeed(op, tag);
    return;
  }
  // The alert goes up before the caller hears of the failure, as it did when screens learnt of it
  // from the error notification.
  if (tag.ticket != 0) BESessionManager::getInstance().home().commandRefused(tag.ticket);
  postAll(op.errorNames);
  const int status = statusCode(loader);
  // Only a user's command always says why it failed; a read (a screen opening, a refresh, a check)
  // keeps quiet while its class of fault lasts, as the user was told already.
  const bool read = loader && loader->method() == rest::RestRequestMethodGET;
  const bool mayKeepQuiet = read || (tag.reply && tag.reply->isBackground());
  if (outcome == FailureOutcome::Alert && op.alerts && BEStatusCodeManager::alertsNow(status, mayKeepQuiet))
    BEStatusCodeManager::errorWithOLWithError(loader, foundation::Error{});
  if (tag.reply) tag.reply->fail(status);
}

}  // namespace backend
