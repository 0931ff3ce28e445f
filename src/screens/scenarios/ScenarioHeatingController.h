#pragma once
// The heating scenarios (category "CLIMATIC").
#include "screens/scenarios/ScenarioScreenController.h"

class ScenarioHeatingController : public ScenarioScreenController {
  Q_OBJECT
 public:
  explicit ScenarioHeatingController(QObject* parent = nullptr);
};
