#include "backend/BackendReset.h"

#include "backend/BERestConfig.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceConsumption.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceHistory.h"
#include "backend/BEServiceLogin.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"
#include "backend/BEStatusCodeManager.h"
#include "backend/ServiceReachability.h"
#include "backend/SignInGate.h"
#include "backend/StoredAnswers.h"
#include "rest/mapping/RestObjectManager.h"

namespace backend {

void resetAllSingletons() {
  StoredAnswers::resetInstance();
  ServiceReachability::resetInstance();
  BEServiceLogin::resetInstance();
  BEServiceDevice::resetInstance();
  BEServiceMode::resetInstance();
  BEServiceDashboard::resetInstance();
  BEServiceFavorite::resetInstance();
  BEServiceScenario::resetInstance();
  BEServiceHistory::resetInstance();
  BEServiceWeather::resetInstance();
  BEServiceConsumption::resetInstance();
  BEServiceCamera::resetInstance();
  BESessionManager::resetInstance();
  BEStatusCodeManager::resetFailures();
  setSignInUnderWay(false);
  BERestConfig::resetInstance();
  rest::RestObjectManager::resetSharedManager();
}

}  // namespace backend
