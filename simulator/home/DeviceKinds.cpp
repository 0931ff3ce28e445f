#include "home/DeviceKinds.h"

namespace simhome {

Family familyOf(const QString& type) {
  static const QStringList lights = {"P0RD", "P0R", "P0RO", "P0RS", "P0MLR", "P0MLRW", "P0SC", "P0RG"};
  static const QStringList pulses = {"P0MKV", "P0MKA", "P0MKS", "P0MKG", "P0MR"};
  static const QStringList openClose = {"P0MF6", "P0MF20", "P0MF30"};
  static const QStringList onOffHeating = {"P1RR", "P1MHR", "P1RPM", "P1MCH"};
  if (lights.contains(type)) return Family::Light;
  if (type == "P0MFM" || type == "P0SF") return Family::OnOffOpening;
  if (openClose.contains(type)) return Family::OpenCloseOpening;
  if (pulses.contains(type)) return Family::PulseOpening;
  if (onOffHeating.contains(type)) return Family::OnOffHeating;
  if (type == "P0VM") return Family::TwoSpeedHeating;
  if (type == "P1MFC") return Family::ThreeModeHeating;
  if (type == "P1MHWR" || type == "P1WT") return Family::FourModeHeating;
  if (type == "FCAM" || type == "RCAM" || type == "OCAM") return Family::Camera;
  if (type == "USB_WEATHER_VYR") return Family::WeatherStation;
  return Family::Sensor;
}

QStringList acceptedStatuses(Family family) {
  switch (family) {
    case Family::Light:
    case Family::OnOffOpening:
    case Family::OnOffHeating:
      return {"ON", "OFF", "TOGGLE"};
    case Family::OpenCloseOpening:
      return {"OPEN", "CLOSE", "TOGGLE"};
    case Family::PulseOpening:
      return {"TOGGLE", "ON"};
    case Family::TwoSpeedHeating:
      return {"LOW_SPEED", "HIGH_SPEED"};
    case Family::ThreeModeHeating:
      return {"FORCED_OFF", "MODE_LOCAL", "FORCED_ON"};
    case Family::FourModeHeating:
      return {"OFF", "FROSTGUARD", "ECO", "COMFORT"};
    case Family::Camera:
    case Family::WeatherStation:
    case Family::Sensor:
      return {};
  }
  return {};
}

QString defaultStatus(Family family) {
  switch (family) {
    case Family::OpenCloseOpening: return QStringLiteral("CLOSE");
    case Family::TwoSpeedHeating: return QStringLiteral("LOW_SPEED");
    case Family::ThreeModeHeating: return QStringLiteral("MODE_LOCAL");
    case Family::FourModeHeating: return QStringLiteral("ECO");
    case Family::Camera:
    case Family::WeatherStation:
    case Family::Sensor:
      return QStringLiteral("ON");
    default: return QStringLiteral("OFF");
  }
}

QString dashboardSection(Family family) {
  switch (family) {
    case Family::Light: return QStringLiteral("lighting");
    case Family::OnOffOpening:
    case Family::OpenCloseOpening:
    case Family::PulseOpening:
      return QStringLiteral("opening");
    case Family::OnOffHeating:
    case Family::TwoSpeedHeating:
    case Family::ThreeModeHeating:
    case Family::FourModeHeating:
      return QStringLiteral("climatic");
    case Family::Camera: return QStringLiteral("cameras");
    default: return QString();
  }
}

}  // namespace simhome
