#include "backend/BEServiceConsumption.h"

void BEServiceConsumption::objectLoaderDidLoadObjects(rest::RestObjectLoader* /*loader*/,
                                                      const rest::ObjectList& /*objects*/) {}

void BEServiceConsumption::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  dispatchStatusCode(loader, error);
}
