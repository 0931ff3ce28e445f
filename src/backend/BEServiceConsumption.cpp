#include "backend/BEServiceConsumption.h"

// Nothing is sent yet; the operations arrive with the service's consumption figures.
