#pragma once
// The dashboard: the home's cameras, lights, openings, heating, favorites, modes and scenarios in
// one answer, kept in the session store's `dashboard`.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

class BEServiceDashboard : public backend::ServiceBase, public backend::Singleton<BEServiceDashboard> {
 public:
  backend::ReplyPtr getDashboard();


 private:
  friend class backend::Singleton<BEServiceDashboard>;
  BEServiceDashboard();
};
