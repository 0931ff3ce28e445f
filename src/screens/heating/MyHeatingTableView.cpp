#include "screens/heating/MyHeatingTableView.h"

MyHeatingTableView::MyHeatingTableView(const QRect& frame, QWidget* parent)
    : devicelist::DeviceListTableView(
          frame, {QStringLiteral("red"), "You do not have heating.", QStringLiteral("heating_empty.png"), &rowKindFor}, parent) {}

std::optional<devicelist::RowKind> MyHeatingTableView::rowKindFor(const QString& type) {
  using devicelist::RowKind;
  static const QStringList onOff = {"P1RR", "P1MHR", "P1RPM", "P1MCH"};
  if (onOff.contains(type)) return RowKind::onOff(QStringLiteral("ON"), QStringLiteral("OFF"));
  if (type == QLatin1String("P0VM"))
    return RowKind::selector({"LOW_SPEED", "HIGH_SPEED"}, {"Low speed", "High speed"});
  if (type == QLatin1String("P1MFC"))
    return RowKind::selector({"FORCED_OFF", "MODE_LOCAL", "FORCED_ON"}, {"Forced off", "Local mode", "Forced on"});
  if (type == QLatin1String("P1MHWR") || type == QLatin1String("P1WT"))
    return RowKind::selector({"OFF", "FROSTGUARD", "ECO", "COMFORT"}, {"Stop", "Frostguard", "Eco", "Comfort"});
  return std::nullopt;
}
