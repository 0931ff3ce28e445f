#pragma once
// The lighting scenarios (category "LIGHTING").
#include "screens/scenarios/ScenarioScreenController.h"

class ScenarioLightingController : public ScenarioScreenController {
  Q_OBJECT
 public:
  explicit ScenarioLightingController(QObject* parent = nullptr);
};
