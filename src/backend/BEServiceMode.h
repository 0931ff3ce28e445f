#pragma once
// Alarm modes: the mode of every domain into the session store, and a new mode for one domain
// ("INTRUSION", "DOMESTIC" or "ASSISTANCE").
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceMode : public backend::ServiceBase, public backend::Singleton<BEServiceMode> {
 public:
  void getList();
  void putModeForSubCategory(const QString& mode, const QString& subCategory);

  void objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) override;
  void objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) override;

 private:
  friend class backend::Singleton<BEServiceMode>;
  BEServiceMode();

  static bool isModeChange(const rest::RestObjectLoader* loader);
};
