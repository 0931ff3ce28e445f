#include "backend/BEServiceScenario.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/scenario/light");
const QString kStatusFragment = QStringLiteral("/status");
}  // namespace

BEServiceScenario::BEServiceScenario() {
  registerRoute(SOScenario::staticClass(), QStringLiteral("/scenario/:id/status"), rest::RestRequestMethodPUT);
}

void BEServiceScenario::getList() { loadSessionPath(kListPath); }

void BEServiceScenario::putStatusWithId(const QString& status, const QString& identifier) {
  auto record = std::make_shared<SOScenario>();
  record->key = "status";
  record->id = identifier.toStdString();
  record->value = status.toStdString();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceScenario::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (wasSentToSessionPath(loader, kListPath)) {
    BESessionManager::getInstance().setScenarios(recordsOf<VOScenario>(objects));
    post(kSuccessScenarioGetList);
  } else if (resourcePathContains(loader, kStatusFragment)) {
    post(kSuccessScenarioPut);
  }
}

void BEServiceScenario::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kListPath))
    post(kErrorScenarioGetList);
  else if (resourcePathContains(loader, kStatusFragment))
    post(kErrorScenarioPut);
  dispatchStatusCode(loader, error);
}
