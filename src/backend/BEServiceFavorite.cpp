#include "backend/BEServiceFavorite.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/favorite/light");
}

BEServiceFavorite::BEServiceFavorite() {
  registerRoute(SOFavoriteStart::staticClass(), QStringLiteral("/favorite/:id/start"), rest::RestRequestMethodPUT);
  registerRoute(SOFavoriteStop::staticClass(), QStringLiteral("/favorite/:id/stop"), rest::RestRequestMethodPUT);
}

void BEServiceFavorite::getList() { loadSessionPath(kListPath); }

void BEServiceFavorite::putStartWithId(const QString& identifier) {
  auto record = std::make_shared<SOFavoriteStart>();
  record->id = identifier.toStdString();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceFavorite::putStopWithId(const QString& identifier) {
  auto record = std::make_shared<SOFavoriteStop>();
  record->id = identifier.toStdString();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceFavorite::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (wasSentToSessionPath(loader, kListPath)) {
    BESessionManager::getInstance().setFavorites(recordsOf<VOFavorite>(objects));
    post(kSuccessFavoriteGetList);
  } else if (resourcePathContains(loader, QStringLiteral("/start"))) {
    post(kSuccessFavoritePutStart);
  } else if (resourcePathContains(loader, QStringLiteral("/stop"))) {
    post(kSuccessFavoritePutStop);
  }
}

void BEServiceFavorite::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kListPath))
    post(kErrorFavoriteGetList);
  else if (resourcePathContains(loader, QStringLiteral("/start")))
    post(kErrorFavoritePutStart);
  else if (resourcePathContains(loader, QStringLiteral("/stop")))
    post(kErrorFavoritePutStop);
  dispatchStatusCode(loader, error);
}
