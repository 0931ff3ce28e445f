#include "backend/BEServiceMode.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/gateway/mode");
// The trailing "/" is part of the service's path and stays before ";jsessionid=".
const QString kPutPattern = QStringLiteral("/gateway/:subCategory/mode/");
enum Op { List, PutMode };
}  // namespace

BEServiceMode::BEServiceMode() {
  registerRoute(SOMode::staticClass(), kPutPattern, rest::RestRequestMethodPUT);
  defineOperation(List, listRead("modes", {kSuccessModeGetList}, {kErrorModeGetList}, "modeList", &BESessionManager::setModes, backend::DataSet::Modes));
  defineOperation(PutMode, {.name = "mode change", .successNames = {kSuccessModePutMode}, .errorNames = {kErrorModePutMode}});
}

backend::ReplyPtr BEServiceMode::getList() { return loadSessionPath(List, kListPath); }

backend::ReplyPtr BEServiceMode::putModeForSubCategory(const QString& mode, const QString& subCategory) {
  auto record = std::make_shared<SOMode>();
  record->key = "mode";
  record->value = mode.toStdString();
  record->subCategory = subCategory.toStdString();
  record->session = currentSession();
  return putCommand(PutMode, record, {backend::Home::Kind::Mode, subCategory}, mode);
}

