#pragma once
// Scenarios: the list of every category into the session store, and a new status ("ENABLED" to
// start, "DISABLED" to stop) for one scenario.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceScenario : public backend::ServiceBase, public backend::Singleton<BEServiceScenario> {
 public:
  backend::ReplyPtr getList();
  backend::ReplyPtr putStatusWithId(const QString& status, const QString& identifier);


 private:
  friend class backend::Singleton<BEServiceScenario>;
  BEServiceScenario();
};
