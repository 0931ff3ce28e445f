#include "backend/BEServiceDashboard.h"

#include "backend/SignInGate.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"
#include "rest/mapping/RestObjectManager.h"

namespace {
const QString kPath = QStringLiteral("/dashboard");
constexpr int kGet = 0;
}

BEServiceDashboard::BEServiceDashboard() {
  registerRoute(SODashboardEmpty::staticClass(), kPath, rest::RestRequestMethodGET);
  defineOperation(kGet, {.name = "dashboard",
                         .successNames = {kSuccessDashboardGetDashboard},
                         .errorNames = {kErrorDashboardGetDashboard},
                         // Only a record of exactly this class replaces the stored dashboard; the
                         // success is announced either way, and the screen then draws the last
                         // dashboard known.
                         .expects = {rest::RestExpectedAnswer::Record, ""},
                         .store = [](const rest::ObjectList& objects, backend::Home::Stamp sent) {
                           if (!objects.empty() && objects.front() &&
                               objects.front()->isMemberOfClass(VODashboard::staticClass()))
                             BESessionManager::getInstance().setDashboard(std::static_pointer_cast<VODashboard>(objects.front()), sent);
                           return true;
                         },
                         .dataSet = backend::DataSet::Dashboard});
}

backend::ReplyPtr BEServiceDashboard::getDashboard() {
  auto record = std::make_shared<SODashboardEmpty>();
  record->session = currentSession();
  // The whole answer is the dashboard: its lists sit at the top level of the document.
  if (backend::ReplyPtr refused = backend::refusedBeforeSession("dashboard", {kErrorDashboardGetDashboard}, false)) return refused;
  return tag(kGet, manager().getObjectMapResponseWithDelegate(record, mappingForClass(VODashboard::staticClass()), this));
}

