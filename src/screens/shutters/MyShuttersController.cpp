#include "screens/shutters/MyShuttersController.h"

#include "screens/shutters/MyShuttersTableView.h"

MyShuttersController::MyShuttersController(QObject* parent)
    : devicelist::DeviceScreen({"SHUTTERS", QStringLiteral("shutters_header.png"),
                                {},
                                [](const QRect& frame) { return new MyShuttersTableView(frame, nullptr); }},
                               parent) {}

MyShuttersTableView* MyShuttersController::shuttersList() const { return qobject_cast<MyShuttersTableView*>(listTableView()); }
