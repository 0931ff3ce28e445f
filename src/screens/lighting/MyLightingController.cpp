#include "screens/lighting/MyLightingController.h"

#include "screens/lighting/MyLightingTableView.h"
#include "screens/scenarios/ScenarioLightingController.h"

MyLightingController::MyLightingController(QObject* parent)
    : devicelist::DeviceScreen({"LIGHTING", QStringLiteral("lighting_header.png"),
                                [] { return new ScenarioLightingController(); },
                                [](const QRect& frame) { return new MyLightingTableView(frame, nullptr); }},
                               parent) {}

MyLightingTableView* MyLightingController::lightingList() const { return qobject_cast<MyLightingTableView*>(listTableView()); }
