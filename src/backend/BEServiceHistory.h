#pragma once
// The history of the home: the gateway's events, in the answer's order, into the session store.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

class BEServiceHistory : public backend::ServiceBase, public backend::Singleton<BEServiceHistory> {
 public:
  backend::ReplyPtr getList();


 private:
  friend class backend::Singleton<BEServiceHistory>;
  BEServiceHistory();
};
