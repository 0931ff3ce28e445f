#include "backend/BEServiceMode.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/gateway/mode");
// The trailing "/" is part of the service's path and stays before ";jsessionid=".
const QString kPutPattern = QStringLiteral("/gateway/:subCategory/mode/");
}  // namespace

BEServiceMode::BEServiceMode() { registerRoute(SOMode::staticClass(), kPutPattern, rest::RestRequestMethodPUT); }

void BEServiceMode::getList() { loadSessionPath(kListPath); }

void BEServiceMode::putModeForSubCategory(const QString& mode, const QString& subCategory) {
  auto record = std::make_shared<SOMode>();
  record->key = "mode";
  record->value = mode.toStdString();
  record->subCategory = subCategory.toStdString();
  record->session = currentSession();
  putRecord(record);
}

bool BEServiceMode::isModeChange(const rest::RestObjectLoader* loader) {
  return resourcePathContains(loader, QStringLiteral("/gateway/INTRUSION/mode/")) ||
         resourcePathContains(loader, QStringLiteral("/gateway/DOMESTIC/mode/")) ||
         resourcePathContains(loader, QStringLiteral("/gateway/ASSISTANCE/mode/"));
}

void BEServiceMode::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (wasSentToSessionPath(loader, kListPath)) {
    BESessionManager::getInstance().setModes(recordsOf<VOMode>(objects));
    post(kSuccessModeGetList);
  } else if (isModeChange(loader)) {
    post(kSuccessModePutMode);
  }
}

void BEServiceMode::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kListPath))
    post(kErrorModeGetList);
  else if (isModeChange(loader))
    post(kErrorModePutMode);
  dispatchStatusCode(loader, error);
}
