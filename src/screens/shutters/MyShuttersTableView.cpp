#include "screens/shutters/MyShuttersTableView.h"

MyShuttersTableView::MyShuttersTableView(const QRect& frame, QWidget* parent)
    : devicelist::DeviceListTableView(
          frame, {QStringLiteral("green"), "You do not have openings.", QStringLiteral("shutters_empty.png"), &rowKindFor}, parent) {}

std::optional<devicelist::RowKind> MyShuttersTableView::rowKindFor(const QString& type) {
  using devicelist::RowKind;
  static const QStringList onOff = {"P0MFM", "P0SF"};
  static const QStringList openClose = {"P0MF6", "P0MF20", "P0MF30"};
  static const QStringList pulses = {"P0MKV", "P0MKA", "P0MKS", "P0MKG", "P0MR"};
  if (onOff.contains(type)) return RowKind::onOff(QStringLiteral("ON"), QStringLiteral("OFF"));
  if (openClose.contains(type)) return RowKind::onOff(QStringLiteral("OPEN"), QStringLiteral("CLOSE"));
  if (pulses.contains(type)) return RowKind::pulse(QStringLiteral("TOGGLE"));
  return std::nullopt;
}
