#include "backend/BEServiceFavorite.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/favorite/light");
enum Op { List, Start, Stop };
}

BEServiceFavorite::BEServiceFavorite() {
  registerRoute(SOFavoriteStart::staticClass(), QStringLiteral("/favorite/:id/start"), rest::RestRequestMethodPUT);
  registerRoute(SOFavoriteStop::staticClass(), QStringLiteral("/favorite/:id/stop"), rest::RestRequestMethodPUT);
  defineOperation(List, listRead("favorites", {kSuccessFavoriteGetList}, {kErrorFavoriteGetList}, "favorites", &BESessionManager::setFavorites, backend::DataSet::Favorites));
  defineOperation(Start, {.name = "favorite start", .successNames = {kSuccessFavoritePutStart}, .errorNames = {kErrorFavoritePutStart}});
  defineOperation(Stop, {.name = "favorite stop", .successNames = {kSuccessFavoritePutStop}, .errorNames = {kErrorFavoritePutStop}});
}

backend::ReplyPtr BEServiceFavorite::getList() { return loadSessionPath(List, kListPath); }

backend::ReplyPtr BEServiceFavorite::putStartWithId(const QString& identifier) {
  auto record = std::make_shared<SOFavoriteStart>();
  record->id = identifier.toStdString();
  record->session = currentSession();
  return putCommand(Start, record, {backend::Home::Kind::Favorite, identifier}, QStringLiteral("1"));
}

backend::ReplyPtr BEServiceFavorite::putStopWithId(const QString& identifier) {
  auto record = std::make_shared<SOFavoriteStop>();
  record->id = identifier.toStdString();
  record->session = currentSession();
  return putCommand(Stop, record, {backend::Home::Kind::Favorite, identifier}, QStringLiteral("0"));
}

