#include "backend/BEServiceHistory.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HistoryRecords.h"

namespace {
const QString kPath = QStringLiteral("/history");
}

void BEServiceHistory::getList() { loadSessionPath(kPath); }

void BEServiceHistory::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (!wasSentToSessionPath(loader, kPath)) return;
  BESessionManager::getInstance().setHistories(recordsOf<VOHistory>(objects));
  post(kSuccessHistoryGetList);
}

void BEServiceHistory::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kPath)) post(kErrorHistoryGetList);
  dispatchStatusCode(loader, error);
}
