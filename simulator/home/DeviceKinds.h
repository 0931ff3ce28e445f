#pragma once
// What each device type code is and which statuses it accepts. The app sorts devices into its
// screens by these codes; the service uses them to validate commands and to fill the dashboard.
#include <QString>
#include <QStringList>

namespace simhome {

enum class Family {
  Light,
  OnOffOpening,    // "P0MFM", "P0SF": ON / OFF
  OpenCloseOpening,  // "P0MF6", "P0MF20", "P0MF30": OPEN / CLOSE
  PulseOpening,    // gates and garage doors: TOGGLE, back to OFF by themselves
  OnOffHeating,    // "P1RR", "P1MHR", "P1RPM", "P1MCH"
  TwoSpeedHeating,   // "P0VM"
  ThreeModeHeating,  // "P1MFC"
  FourModeHeating,   // "P1MHWR", "P1WT"
  Camera,          // "FCAM", "RCAM", "OCAM"
  WeatherStation,  // "USB_WEATHER_VYR"
  Sensor,          // detectors, remote controls, sirens: not driven from the app
};

Family familyOf(const QString& type);

// The statuses a command may set for the family ("TOGGLE" is accepted where it means something
// and is resolved by the model). Empty for families the app cannot drive.
QStringList acceptedStatuses(Family family);

// The status a device of the family starts with when the home file gives none.
QString defaultStatus(Family family);

// Dashboard section of a device: "cameras", "climatic", "lighting", "opening", or "" when the
// dashboard does not show it.
QString dashboardSection(Family family);

// Pulse devices go back to OFF this long after a TOGGLE.
inline constexpr qint64 kPulseMs = 3000;

}  // namespace simhome
