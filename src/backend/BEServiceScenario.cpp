#include "backend/BEServiceScenario.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/scenario/light");
enum Op { List, PutStatus };
}  // namespace

BEServiceScenario::BEServiceScenario() {
  registerRoute(SOScenario::staticClass(), QStringLiteral("/scenario/:id/status"), rest::RestRequestMethodPUT);
  defineOperation(List, listRead("scenarios", {kSuccessScenarioGetList}, {kErrorScenarioGetList}, "scenarios", &BESessionManager::setScenarios, backend::DataSet::Scenarios));
  defineOperation(PutStatus, {.name = "scenario status", .successNames = {kSuccessScenarioPut}, .errorNames = {kErrorScenarioPut}});
}

backend::ReplyPtr BEServiceScenario::getList() { return loadSessionPath(List, kListPath); }

backend::ReplyPtr BEServiceScenario::putStatusWithId(const QString& status, const QString& identifier) {
  auto record = std::make_shared<SOScenario>();
  record->key = "status";
  record->id = identifier.toStdString();
  record->value = status.toStdString();
  record->session = currentSession();
  return putCommand(PutStatus, record, {backend::Home::Kind::Scenario, identifier}, status);
}

