#pragma once
// Alarm modes: the mode of every domain into the session store, and a new mode for one domain
// ("INTRUSION", "DOMESTIC" or "ASSISTANCE").
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceMode : public backend::ServiceBase, public backend::Singleton<BEServiceMode> {
 public:
  backend::ReplyPtr getList();
  backend::ReplyPtr putModeForSubCategory(const QString& mode, const QString& subCategory);


 private:
  friend class backend::Singleton<BEServiceMode>;
  BEServiceMode();

};
