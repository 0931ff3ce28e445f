#include "backend/BEServiceHistory.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HistoryRecords.h"

namespace {
const QString kPath = QStringLiteral("/history");
constexpr int kList = 0;
}

BEServiceHistory::BEServiceHistory() {
  defineOperation(kList, listRead("history", {kSuccessHistoryGetList}, {kErrorHistoryGetList}, "history", &BESessionManager::setHistories, backend::DataSet::History));
}

backend::ReplyPtr BEServiceHistory::getList() { return loadSessionPath(kList, kPath); }

