#include "screens/lighting/MyLightingTableView.h"

MyLightingTableView::MyLightingTableView(const QRect& frame, QWidget* parent)
    : devicelist::DeviceListTableView(
          frame, {QStringLiteral("yellow"), "You do not have lights.", QStringLiteral("lighting_empty.png"), &rowKindFor}, parent) {}

std::optional<devicelist::RowKind> MyLightingTableView::rowKindFor(const QString& type) {
  static const QStringList lights = {"P0RD", "P0R", "P0RO", "P0RS", "P0MLR", "P0MLRW", "P0SC", "P0RG"};
  if (!lights.contains(type)) return std::nullopt;
  return devicelist::RowKind::onOff(QStringLiteral("ON"), QStringLiteral("OFF"));
}
