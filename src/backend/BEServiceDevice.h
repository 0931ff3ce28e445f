#pragma once
// Devices: the list of every device into the session store, a new status for one device, and
// whether a device of a given kind exists on the gateway.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceDevice : public backend::ServiceBase, public backend::Singleton<BEServiceDevice> {
 public:
  // Both send the same request; every answer is announced under both names.
  backend::ReplyPtr getActuatorList();
  backend::ReplyPtr getList();
  backend::ReplyPtr putStatusWithId(const QString& status, const QString& serial);
  // The same request for a device that takes a pulse: it has no lasting state to show.
  backend::ReplyPtr putPulseWithId(const QString& status, const QString& serial);
  // A 404 is the ordinary "no" of this check: it posts kErrorDeviceGetExist without an alert.
  backend::ReplyPtr getDeviceExist(const QString& kind);


 private:
  friend class backend::Singleton<BEServiceDevice>;
  BEServiceDevice();
};
