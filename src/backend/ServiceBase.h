#pragma once
// What every service object shares. A service describes its operations once, in a table: for
// each, the notifications of its success and of its error, and for reads how the answer is filed
// in the session store. Every request it sends is tagged with its operation, the session it was
// sent under and the reply its caller holds, and the answer is handled by that tag alone, never by
// its path:
//
// - success (2xx): a read files its records (an answer for a session that is no longer the
//   current one files nothing and ends in the error notification, without an alert); then the
//   success notifications are posted;
// - failure, or an answer whose status is one of the gateway's own codes (600 and above) whatever
//   its body: the error notifications, then the status-code dispatch that raises the alert.
// In both cases the caller's reply (see Reply) ends last, once the store holds the answer.
#include "backend/BESessionManager.h"
#include "backend/Reply.h"
#include "backend/StoredAnswers.h"
#include "foundation/Result.h"
#include "rest/mapping/Object.h"
#include "rest/mapping/RestObjectLoader.h"
#include "rest/mapping/RestObjectMapping.h"
#include "rest/network/RestRequest.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rest {
class RestObjectManager;
}

namespace backend {

// How a failed answer of a given status ends, when it is not the usual failure with its alert.
enum class FailureOutcome {
  Alert,    // error notifications, then the status-code dispatch
  Quiet,    // error notifications only (the ordinary "no" of an existence check)
  Success,  // the success notifications (nothing is filed)
};

// Every member has a default, so a table entry names only what it needs.
struct ServiceOperation {
  const char* name = "";                    // for the log
  std::vector<const char*> successNames = {};
  std::vector<const char*> errorNames = {};
  // Reads: the member of the answer the operation files (a list at a key path, or the whole
  // answer as one record). Without it, or with something of another shape there, the answer is a
  // failure ("nothing mappable") and the store keeps what it had.
  rest::RestExpectedAnswer expects = {};
  // Reads: files the answer's records in the session store; `sent` is the stamp of the read's
  // sending (see Home::answered). False: the answer holds nothing this operation can use, which
  // ends as a failure. Empty for commands.
  std::function<bool(const rest::ObjectList&, Home::Stamp sent)> store = {};
  // For a failed answer: how it ends, by its status code. Empty: always Alert.
  std::function<FailureOutcome(int status)> failureOutcome = {};
  // Runs after the success notifications (the weather refresh starts its wait here).
  std::function<void()> afterSuccess = {};
  // Whether failures reach the status-code dispatch at all (the sign-in raises no global alert).
  bool alerts = true;
  // Whether a read's answer belongs to the session it was sent under (all but the sign-in).
  bool sessionBound = true;
  // Whether only a 2xx answer counts (any other status the REST layer delivers is a failure).
  bool requiresSuccessStatus = false;
  // Reads: the data set the answer files, which an earlier run's stored answer may stand in for
  // until this one comes (see StoredAnswers).
  DataSet dataSet = DataSet::None;
};

class ServiceBase : public rest::RestObjectLoaderDelegate {
 public:
  void objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) final;
  void objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) final;

  // The gateway's own codes start here; an answer at or above it is a failure for the services.
  static constexpr int kFirstGatewayCode = 600;

 protected:
  ServiceBase() = default;

  // Declares operation `id` (ids are the service's own small numbers, 0 upwards).
  void defineOperation(int id, ServiceOperation operation);

  // A read whose answer holds a list of T at `keyPath`, filed in the session store with `setter`
  // (only the records of that class: a list answer may carry others).
  template <class T>
  static ServiceOperation listRead(const char* name, std::vector<const char*> successNames,
                                   std::vector<const char*> errorNames, const char* keyPath,
                                   void (BESessionManager::*setter)(RecordList<T>, Home::Stamp),
                                   DataSet dataSet = DataSet::None) {
    return {.name = name,
            .successNames = std::move(successNames),
            .errorNames = std::move(errorNames),
            .expects = {rest::RestExpectedAnswer::List, keyPath},
            .store = [setter](const rest::ObjectList& objects, Home::Stamp sent) {
              (BESessionManager::getInstance().*setter)(recordsOf<T>(objects), sent);
              return true;
            },
            .dataSet = dataSet};
  }

  // The shared object manager; using a service before the REST layer is configured is a
  // programming error.
  static rest::RestObjectManager& manager();
  // The answer mapping registered for `cls` with the shared manager's provider.
  static rest::RestObjectMappingPtr mappingForClass(const rest::ObjectClass& cls);

  // The current session identifier ("" before the first sign-in).
  static std::string currentSession();
  // What an answer is filed under: the server and its session identifier.
  static std::string sessionTag();
  static QString sessionPath(const QString& path);
  // `segment` escaped for use as one path segment ("a b/c" -> "a%20b%2Fc").
  static QString escapedSegment(const QString& segment);

  // Registers the route of `cls` for `method` on the shared router, under the session pattern of
  // `path`. A route already there (a service created again for the same manager) is kept.
  static void registerRoute(const rest::ObjectClass& cls, const QString& path, rest::RestRequestMethod method);

  // GET of the session path of `path`, answer mapped by key path, for operation `op`.
  ReplyPtr loadSessionPath(int op, const QString& path);
  // `record` PUT on its route; the answer is mapped with the record as target.
  ReplyPtr putRecord(int op, const rest::ObjectPtr& record);
  // A command that changes what the home shows: it goes through the home's command ledger
  // (`key` shows `value` while it is out, and keeps it once accepted).
  ReplyPtr putCommand(int op, const rest::ObjectPtr& record, const Home::Key& key, const QString& value);
  // A command is refused at once while the service cannot be reached (see ServiceReachability):
  // its error notifications and kServiceUnreachableCommandRefused are posted, nothing is sent, and
  // the reply returned has failed. putRecord asks by itself; a command sent by hand asks first.
  ReplyPtr refusedWhileUnreachable(int op);
  // Tags a loader the service sent itself with operation `op`; `ticket`: the command's in the
  // home's ledger (0 for none).
  ReplyPtr tag(int op, const std::shared_ptr<rest::RestObjectLoader>& loader, Home::Ticket ticket = 0);

  static int statusCode(const rest::RestObjectLoader* loader);
  static void post(const char* name);

  // The records of class T (or a subclass) among an answer's records, in order. Answers mapped
  // by key path may carry records of other classes (the sign-in record at the top level, the sent
  // record); a store of T must never receive them.
  template <class T>
  static std::vector<std::shared_ptr<T>> recordsOf(const rest::ObjectList& objects) {
    std::vector<std::shared_ptr<T>> out;
    for (const auto& o : objects)
      if (o && o->isKindOfClass(T::staticClass())) out.push_back(std::static_pointer_cast<T>(o));
    return out;
  }

  template <class T>
  static std::shared_ptr<T> firstOf(const rest::ObjectList& objects) {
    for (const auto& o : objects)
      if (o && o->isKindOfClass(T::staticClass())) return std::static_pointer_cast<T>(o);
    return nullptr;
  }

 private:
  struct Tag {
    const ServiceBase* service = nullptr;
    int op = -1;
    std::string session;
    ReplyPtr reply;
    Home::Ticket ticket = 0;  // a command in the home's ledger
    Home::Stamp sent = 0;     // when the request left, for the ledger
    bool stored = false;      // a read of the stored answer only (StoredAnswers)
  };
  const Tag* tagOf(const rest::RestObjectLoader* loader) const;
  const ServiceOperation* operationOf(const Tag& tag) const;
  void fail(const ServiceOperation& op, const Tag& tag, const rest::RestObjectLoader* loader, FailureOutcome outcome);
  void fileStored(const ServiceOperation& op, const Tag& tag, const rest::RestObjectLoader* loader,
                  const rest::ObjectList& objects);
  static void postAll(const std::vector<const char*>& names);
  // The operation ended: the ledger hears of its command, then the names are posted, then the
  // caller's reply ends.
  static void succeed(const ServiceOperation& op, const Tag& tag, bool unchanged = false);
  static void failWith(const ServiceOperation& op, const Tag& tag, int status);
  static bool answerUnchanged(const ServiceOperation& op, const rest::RestObjectLoader* loader);

  std::vector<ServiceOperation> m_operations;
};

}  // namespace backend
