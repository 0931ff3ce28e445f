#include "home/Home.h"

#include <algorithm>

namespace simhome {

namespace {
QString modeState(const QString& mode) {
  if (mode == "ON") return QStringLiteral("MON");
  if (mode == "PRESENCE") return QStringLiteral("MPR");
  return QStringLiteral("MOFF");
}

QString toggled(const Device& d) {
  switch (d.family()) {
    case Family::OpenCloseOpening: return d.status == "OPEN" ? QStringLiteral("CLOSE") : QStringLiteral("OPEN");
    case Family::PulseOpening: return QStringLiteral("ON");
    default: return d.status == "ON" ? QStringLiteral("OFF") : QStringLiteral("ON");
  }
}
}  // namespace

const QStringList& Home::domains() {
  static const QStringList list = {"INTRUSION", "DOMESTIC", "ASSISTANCE"};
  return list;
}

QStringList Home::modesOf(const QString& domain) {
  if (domain == "INTRUSION") return {"OFF", "PRESENCE", "ON"};
  if (domain == "DOMESTIC" || domain == "ASSISTANCE") return {"ON", "OFF"};
  return {};
}

Device* Home::device(const QString& serial) {
  auto it = std::find_if(devices.begin(), devices.end(), [&](const Device& d) { return d.serial == serial; });
  return it == devices.end() ? nullptr : &*it;
}

const Device* Home::device(const QString& serial) const { return const_cast<Home*>(this)->device(serial); }

Device* Home::deviceWithType(const QString& type) {
  auto it = std::find_if(devices.begin(), devices.end(), [&](const Device& d) { return d.type == type; });
  return it == devices.end() ? nullptr : &*it;
}

Favorite* Home::favorite(qint64 id) {
  auto it = std::find_if(favorites.begin(), favorites.end(), [&](const Favorite& f) { return f.id == id; });
  return it == favorites.end() ? nullptr : &*it;
}

Scenario* Home::scenario(qint64 id) {
  auto it = std::find_if(scenarios.begin(), scenarios.end(), [&](const Scenario& s) { return s.id == id; });
  return it == scenarios.end() ? nullptr : &*it;
}

std::vector<const Device*> Home::cameras() const {
  std::vector<const Device*> out;
  for (const Device& d : devices)
    if (d.family() == Family::Camera) out.push_back(&d);
  return out;
}

void Home::settle(qint64 nowMs) {
  for (Device& d : devices) {
    if (d.pulseEndsMs != 0 && nowMs >= d.pulseEndsMs) {
      d.pulseEndsMs = 0;
      d.status = QStringLiteral("OFF");
      touch();
    }
  }
}

std::optional<Failure> Home::setDeviceStatus(const QString& serial, const QString& status, qint64 nowMs) {
  Device* d = device(serial);
  if (!d) return notFound(QStringLiteral("no device with serial '%1'").arg(serial));
  const QStringList accepted = acceptedStatuses(d->family());
  if (accepted.isEmpty())
    return badRequest(QStringLiteral("device '%1' (%2) takes no commands").arg(serial, d->type));
  if (!accepted.contains(status))
    return badRequest(QStringLiteral("status '%1' is not one of %2 for device '%3' (%4)")
                          .arg(status, accepted.join(", "), serial, d->type));
  const QString next = status == "TOGGLE" ? toggled(*d) : status;
  touch();
  if (d->family() == Family::PulseOpening) {
    d->status = QStringLiteral("ON");
    d->pulseEndsMs = nowMs + kPulseMs;
  } else {
    d->status = next;
  }
  return std::nullopt;
}

std::optional<Failure> Home::setMode(const QString& domain, const QString& mode, qint64 nowMs, const Actor& actor) {
  const QStringList accepted = modesOf(domain);
  if (accepted.isEmpty()) return notFound(QStringLiteral("no alarm domain '%1'").arg(domain));
  if (!accepted.contains(mode))
    return badRequest(QStringLiteral("mode '%1' is not one of %2 for %3").arg(mode, accepted.join(", "), domain));
  modes[domain] = mode;
  touch();
  HistoryEvent e;
  e.dateMs = nowMs;
  e.name = actor.name;
  e.state = modeState(mode);
  e.origin = actor.origin;
  e.reason = QStringLiteral("1");
  e.category = QStringLiteral("MODE");
  e.subCategory = domain;
  addHistory(std::move(e));
  return std::nullopt;
}

std::optional<Failure> Home::startFavorite(qint64 id, qint64 nowMs, const Actor& actor) {
  Favorite* f = favorite(id);
  if (!f) return notFound(QStringLiteral("no favorite %1").arg(id));
  for (Favorite& other : favorites) {
    if (other.running && other.id != id) {
      other.running = false;
      apply(other.onStop, nowMs);
    }
  }
  f->running = true;
  touch();
  HistoryEvent e;
  e.dateMs = nowMs;
  e.name = f->name;
  e.state = QStringLiteral("FP");
  e.origin = QStringLiteral("4");
  e.reason = QStringLiteral("15");
  e.triggerName = actor.origin == "6" ? QStringLiteral("R") : QStringLiteral("L");
  e.category = QStringLiteral("FAVORITE");
  addHistory(std::move(e));
  apply(f->onStart, nowMs);
  applyModes(f->modesOnStart, nowMs, Actor{QStringLiteral("4"), f->name});
  return std::nullopt;
}

std::optional<Failure> Home::stopFavorite(qint64 id, qint64 nowMs, const Actor& actor) {
  Favorite* f = favorite(id);
  if (!f) return notFound(QStringLiteral("no favorite %1").arg(id));
  const bool wasRunning = f->running;
  f->running = false;
  touch();
  if (!wasRunning) return std::nullopt;  // stopping a stopped favorite changes nothing
  HistoryEvent e;
  e.dateMs = nowMs;
  e.name = f->name;
  e.state = QStringLiteral("FS");
  e.origin = QStringLiteral("4");
  e.reason = QStringLiteral("15");
  e.triggerName = actor.origin == "6" ? QStringLiteral("R") : QStringLiteral("L");
  e.category = QStringLiteral("FAVORITE");
  addHistory(std::move(e));
  apply(f->onStop, nowMs);
  return std::nullopt;
}

std::optional<Failure> Home::setScenarioEnabled(qint64 id, bool enabled, qint64 nowMs) {
  Scenario* s = scenario(id);
  if (!s) return notFound(QStringLiteral("no scenario %1").arg(id));
  const bool started = enabled && !s->enabled;
  s->enabled = enabled;
  touch();
  if (!started) return std::nullopt;
  HistoryEvent e;
  e.dateMs = nowMs;
  e.name = s->name;
  e.origin = QStringLiteral("3");
  e.reason = QStringLiteral("15");
  e.category = QStringLiteral("SCENARIO");
  e.subCategory = s->category;
  addHistory(std::move(e));
  apply(s->actions, nowMs);
  applyModes(s->modes, nowMs, Actor{QStringLiteral("3"), s->name});
  return std::nullopt;
}

std::optional<Failure> Home::moveCamera(const QString& serial, const QString& command) {
  Device* d = device(serial);
  if (!d || d->family() != Family::Camera) return notFound(QStringLiteral("no camera with serial '%1'").arg(serial));
  static const QStringList commands = {"MVL", "MVR", "MVU", "MVD", "MVH"};
  if (!commands.contains(command))
    return badRequest(QStringLiteral("camera command '%1' is not one of %2").arg(command, commands.join(", ")));
  if (!d->motorised) return badRequest(QStringLiteral("camera '%1' cannot pan or tilt").arg(serial));
  // A motor at its stop stays there: the command is accepted but the view does not move.
  if (command == "MVL") d->pan = std::max(-kPanSteps, d->pan - 1);
  else if (command == "MVR") d->pan = std::min(kPanSteps, d->pan + 1);
  else if (command == "MVU") d->tilt = std::min(kTiltSteps, d->tilt + 1);
  else if (command == "MVD") d->tilt = std::max(-kTiltSteps, d->tilt - 1);
  else d->pan = d->tilt = 0;
  touch();
  return std::nullopt;
}

std::optional<Failure> Home::startRecording(const QString& serial, qint64 nowMs, Recording* created) {
  const Device* d = device(serial);
  if (!d || d->family() != Family::Camera) return notFound(QStringLiteral("no camera with serial '%1'").arg(serial));
  if (recordCredit <= 0) return Failure{615, QStringLiteral("no recording credit left")};
  --recordCredit;
  Recording r;
  r.id = nextRecordingId();
  r.dateMs = nowMs;
  r.cameraSerial = serial;
  r.sensorName = d->name;
  r.sensorType = d->type;
  r.type = QStringLiteral("0");
  RecordingFile file;
  file.id = nextRecordingFileId();
  file.dateMs = nowMs;
  file.durationS = recordSeconds;
  file.name = QStringLiteral("%1_%2.mp4").arg(serial).arg(file.id);
  r.files << file;
  recordings.insert(recordings.begin(), r);
  touch();
  if (created) *created = r;
  return std::nullopt;
}

void Home::addHistory(HistoryEvent event) {
  // Newest first; an event dated before others (a generated past event) goes to its place.
  auto it = std::find_if(history.begin(), history.end(), [&](const HistoryEvent& e) { return e.dateMs <= event.dateMs; });
  history.insert(it, std::move(event));
  touch();
  while (history.size() > historyLimit) history.pop_back();
}

qint64 Home::nextRecordingId() const {
  qint64 id = 0;
  for (const Recording& r : recordings) id = std::max(id, r.id);
  return id + 1;
}

qint64 Home::nextRecordingFileId() const {
  qint64 id = 0;
  for (const Recording& r : recordings)
    for (const RecordingFile& f : r.files) id = std::max(id, f.id);
  return id + 1;
}

void Home::apply(const QList<DeviceAction>& actions, qint64 nowMs) {
  for (const DeviceAction& a : actions) (void)setDeviceStatus(a.serial, a.status, nowMs);
}

void Home::applyModes(const QMap<QString, QString>& wanted, qint64 nowMs, const Actor& actor) {
  for (auto it = wanted.begin(); it != wanted.end(); ++it)
    if (modes.value(it.key()) != it.value()) (void)setMode(it.key(), it.value(), nowMs, actor);
}

}  // namespace simhome
