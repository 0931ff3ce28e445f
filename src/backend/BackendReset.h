#pragma once
// Releases every singleton of the service layer and the shared object manager, so that the next
// use builds them anew (tests start each case from a clean layer this way).
namespace backend {

void resetAllSingletons();

}  // namespace backend
