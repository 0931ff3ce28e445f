#include "backend/BEServiceDashboard.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"
#include "rest/mapping/RestObjectManager.h"

namespace {
const QString kPath = QStringLiteral("/dashboard");
}

BEServiceDashboard::BEServiceDashboard() {
  registerRoute(SODashboardEmpty::staticClass(), kPath, rest::RestRequestMethodGET);
}

void BEServiceDashboard::getDashboard() {
  auto record = std::make_shared<SODashboardEmpty>();
  record->session = currentSession();
  // The whole answer is the dashboard: its lists sit at the top level of the document.
  manager().getObjectMapResponseWithDelegate(record, mappingForClass(VODashboard::staticClass()), this);
}

void BEServiceDashboard::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (!wasSentToSessionPath(loader, kPath)) return;
  // Only a record of exactly this class replaces the stored dashboard; the success is announced
  // either way, and the screen then draws the last dashboard known.
  if (!objects.empty() && objects.front() && objects.front()->isMemberOfClass(VODashboard::staticClass()))
    BESessionManager::getInstance().setDashboard(std::static_pointer_cast<VODashboard>(objects.front()));
  post(kSuccessDashboardGetDashboard);
}

void BEServiceDashboard::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kPath)) post(kErrorDashboardGetDashboard);
  dispatchStatusCode(loader, error);
}
