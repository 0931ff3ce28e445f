#pragma once
// The state of one home as the service knows it: the gateway, its devices, alarm modes,
// favorites, scenarios, recordings and event history. Plain data plus the operations the
// service performs on it; no HTTP here. Not thread-safe: the service serialises access.
#include "home/DeviceKinds.h"
#include "home/Failure.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace simhome {

struct Device {
  qint64 id = 0;
  QString serial;
  QString name;
  QString type;
  QString status;
  QString graceTime;
  int batteryLevel = 100;
  bool alive = true;
  bool newSensor = false;
  bool record = false;      // the camera records on alarm
  bool defaultCam = false;  // the camera shown first
  bool motorised = false;   // the camera can pan and tilt
  // Camera position in steps from home (pan: left < 0 < right, tilt: down < 0 < up).
  int pan = 0;
  int tilt = 0;
  qint64 pulseEndsMs = 0;  // pulse devices: when the pulse ends (0: no pulse running)

  Family family() const { return familyOf(type); }
};

// One step of a favorite or scenario: a device set to a status.
struct DeviceAction {
  QString serial;
  QString status;
};

struct Favorite {
  qint64 id = 0;
  QString name;
  bool running = false;
  QList<DeviceAction> onStart;
  QList<DeviceAction> onStop;
  QMap<QString, QString> modesOnStart;  // domain -> mode
};

struct Scenario {
  qint64 id = 0;
  QString name;
  QString category;  // "LIGHTING", "OPENINGS", "CLIMATIC"
  bool enabled = false;
  QList<DeviceAction> actions;
  QMap<QString, QString> modes;
};

struct AlertDestination {
  QString type;  // "VOCAL", "SMS", "EMAIL", "FAX"
  QString dest;
  QString ack;
};

struct HistoryEvent {
  qint64 dateMs = 0;
  QString name;
  QString type;
  QString state;
  QString origin;
  QString reason;
  QString alert = QStringLiteral("0");
  QString triggerName;
  QString category;
  QString subCategory;
  QList<AlertDestination> alerts;
};

struct RecordingFile {
  qint64 id = 0;
  QString name;  // also the folder of its stream on the media server
  qint64 dateMs = 0;
  int durationS = 0;
};

struct Recording {
  qint64 id = 0;
  qint64 dateMs = 0;
  QString cameraSerial;
  QString sensorName;  // what triggered it (alert recordings) or the camera's name
  QString sensorType;
  QString type;        // "1": triggered by an alert, "0": on demand
  QList<RecordingFile> files;
};

// Who asked for a change, for the history: origin code and the name shown with the event.
struct Actor {
  QString origin = QStringLiteral("6");  // 6: the mobile app
  QString name;
};

class Home {
 public:
  // Alarm domains and the modes each accepts.
  static const QStringList& domains();
  static QStringList modesOf(const QString& domain);

  QJsonObject gateway;  // the VOGateway members, as sent at sign-in
  QString gatewayId() const { return gateway.value("id").toVariant().toString(); }
  QString timeZoneId;   // zone of the history's dates ("" : the machine's)

  std::vector<Device> devices;
  QMap<QString, QString> modes;  // domain -> mode
  std::vector<Favorite> favorites;
  std::vector<Scenario> scenarios;
  std::vector<Recording> recordings;  // newest first
  std::deque<HistoryEvent> history;   // newest first
  QList<AlertDestination> alertContacts;  // who is told when an alarm goes off
  int recordCredit = 10;                  // recordings the subscription still allows
  int recordSeconds = 8;                  // length of an on-demand recording
  std::size_t historyLimit = 500;
  // Moves on with every change of what the lists show; answers built from an older revision
  // are stale. Code that changes the fields directly calls touch().
  std::uint64_t revision = 0;
  void touch() { ++revision; }

  Device* device(const QString& serial);
  const Device* device(const QString& serial) const;
  Device* deviceWithType(const QString& type);
  Favorite* favorite(qint64 id);
  Scenario* scenario(qint64 id);
  std::vector<const Device*> cameras() const;

  // Brings time-driven state up to `nowMs`: pulses that have ended go back to OFF.
  void settle(qint64 nowMs);

  // Sets a device's status (TOGGLE flips it). 404 for an unknown serial, 400 for a status the
  // device does not take.
  std::optional<Failure> setDeviceStatus(const QString& serial, const QString& status, qint64 nowMs);
  // Sets the mode of a domain and records the change in the history.
  std::optional<Failure> setMode(const QString& domain, const QString& mode, qint64 nowMs, const Actor& actor);
  // Starts a favorite (the one running before stops: a home runs one favorite at a time).
  std::optional<Failure> startFavorite(qint64 id, qint64 nowMs, const Actor& actor);
  std::optional<Failure> stopFavorite(qint64 id, qint64 nowMs, const Actor& actor);
  std::optional<Failure> setScenarioEnabled(qint64 id, bool enabled, qint64 nowMs);
  // Moves a motorised camera: "MVL", "MVR", "MVU", "MVD", "MVH" (home).
  std::optional<Failure> moveCamera(const QString& serial, const QString& command);
  // Starts an on-demand recording of a camera; uses one credit. The new recording is returned
  // through `created`.
  std::optional<Failure> startRecording(const QString& serial, qint64 nowMs, Recording* created = nullptr);

  void addHistory(HistoryEvent event);

  qint64 nextRecordingId() const;
  qint64 nextRecordingFileId() const;

 private:
  // Applies actions without validation failures stopping the others (a favorite naming a
  // device that was removed must not block the rest).
  void apply(const QList<DeviceAction>& actions, qint64 nowMs);
  void applyModes(const QMap<QString, QString>& modes, qint64 nowMs, const Actor& actor);
};

// Pan and tilt limits of a motorised camera, in steps.
inline constexpr int kPanSteps = 4;
inline constexpr int kTiltSteps = 2;

}  // namespace simhome
