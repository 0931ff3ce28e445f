#include "screens/shutters/MyShuttersController.h"

#include "screens/shutters/MyShuttersTableView.h"
#include "screens/scenarios/ScenarioShuttersController.h"

MyShuttersController::MyShuttersController(QObject* parent)
    : devicelist::DeviceScreen({"SHUTTERS", QStringLiteral("shutters_header.png"),
                                [] { return new ScenarioShuttersController(); },
                                [](const QRect& frame) { return new MyShuttersTableView(frame, nullptr); }},
                               parent) {}

MyShuttersTableView* MyShuttersController::shuttersList() const { return qobject_cast<MyShuttersTableView*>(listTableView()); }
