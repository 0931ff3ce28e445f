#pragma once
// Energy consumption: reserved. Its operations mirror the weather service's but send nothing yet
// (the energies screen announces the feature as coming soon).
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceConsumption : public backend::ServiceBase, public backend::Singleton<BEServiceConsumption> {
 public:
  void getRefresh() {}
  void getPeriodValues(const QString& /*period*/) {}


 private:
  friend class backend::Singleton<BEServiceConsumption>;
  BEServiceConsumption() = default;
};
