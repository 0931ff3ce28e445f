#pragma once
// The shutter and opening scenarios (category "OPENINGS").
#include "screens/scenarios/ScenarioScreenController.h"

class ScenarioShuttersController : public ScenarioScreenController {
  Q_OBJECT
 public:
  explicit ScenarioShuttersController(QObject* parent = nullptr);
};
