#include "screens/lighting/MyLightingController.h"

#include "screens/lighting/MyLightingTableView.h"

MyLightingController::MyLightingController(QObject* parent)
    : devicelist::DeviceScreen({"LIGHTING", QStringLiteral("lighting_header.png"),
                                {},
                                [](const QRect& frame) { return new MyLightingTableView(frame, nullptr); }},
                               parent) {}

MyLightingTableView* MyLightingController::lightingList() const { return qobject_cast<MyLightingTableView*>(listTableView()); }
