#include "screens/heating/MyHeatingController.h"

#include "screens/heating/MyHeatingTableView.h"
#include "screens/scenarios/ScenarioHeatingController.h"

MyHeatingController::MyHeatingController(QObject* parent)
    : devicelist::DeviceScreen({"HEATING", QStringLiteral("heating_header.png"),
                                [] { return new ScenarioHeatingController(); },
                                [](const QRect& frame) { return new MyHeatingTableView(frame, nullptr); }},
                               parent) {}

MyHeatingTableView* MyHeatingController::heatingList() const { return qobject_cast<MyHeatingTableView*>(listTableView()); }
