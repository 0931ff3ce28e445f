#pragma once
// Favorites: the list into the session store, and start and stop of one favorite.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceFavorite : public backend::ServiceBase, public backend::Singleton<BEServiceFavorite> {
 public:
  backend::ReplyPtr getList();
  backend::ReplyPtr putStartWithId(const QString& identifier);
  backend::ReplyPtr putStopWithId(const QString& identifier);


 private:
  friend class backend::Singleton<BEServiceFavorite>;
  BEServiceFavorite();
};
