#include "backend/BEServiceHistory.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HistoryRecords.h"

namespace {
const QString kPath = QStringLiteral("/history");
constexpr int kList = 0;
}

BEServiceHistory::BEServiceHistory() {
  defineOperation(kList, {.name = "history",
                          .successNames = {kSuccessHistoryGetList},
                          .errorNames = {kErrorHistoryGetList},
                          .expects = {rest::RestExpectedAnswer::List, "history"},
                          .store = [](const rest::ObjectList& objects) {
                            BESessionManager::getInstance().setHistories(recordsOf<VOHistory>(objects));
                            return true;
                          }});
}

void BEServiceHistory::getList() { loadSessionPath(kList, kPath); }

