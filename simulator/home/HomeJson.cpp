#include "home/HomeJson.h"

#include "home/HistoryGenerator.h"

#include <QFile>
#include <QJsonDocument>
#include <QSet>
#include <QTimeZone>

namespace simhome {

namespace {

// Collects the first error met while reading, with the path of the member at fault.
class Reader {
 public:
  explicit Reader(QString* error) : m_error(error) {}
  bool failed() const { return m_failed; }
  void fail(const QString& where, const QString& what) {
    if (m_failed) return;
    m_failed = true;
    if (m_error) *m_error = where.isEmpty() ? what : QStringLiteral("%1: %2").arg(where, what);
  }

  QString text(const QJsonObject& o, const QString& key, const QString& where, bool required, const QString& fallback = {}) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull()) {
      if (required) fail(where, QStringLiteral("'%1' is required").arg(key));
      return fallback;
    }
    if (v.isString()) return v.toString();
    if (v.isDouble()) return QString::number(v.toDouble(), 'g', 15);
    fail(where, QStringLiteral("'%1' must be a string").arg(key));
    return fallback;
  }

  qint64 integer(const QJsonObject& o, const QString& key, const QString& where, bool required, qint64 fallback = 0) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull()) {
      if (required) fail(where, QStringLiteral("'%1' is required").arg(key));
      return fallback;
    }
    if (v.isDouble() && v.toDouble() == double(qint64(v.toDouble()))) return qint64(v.toDouble());
    if (v.isString()) {
      bool ok = false;
      const qint64 n = v.toString().toLongLong(&ok);
      if (ok) return n;
    }
    fail(where, QStringLiteral("'%1' must be a whole number").arg(key));
    return fallback;
  }

  bool boolean(const QJsonObject& o, const QString& key, const QString& where, bool fallback) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull()) return fallback;
    if (v.isBool()) return v.toBool();
    fail(where, QStringLiteral("'%1' must be true or false").arg(key));
    return fallback;
  }

  QJsonArray array(const QJsonObject& o, const QString& key, const QString& where) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull()) return {};
    if (!v.isArray()) fail(where, QStringLiteral("'%1' must be an array").arg(key));
    return v.toArray();
  }

  QJsonObject object(const QJsonValue& v, const QString& where) {
    if (!v.isObject()) fail(where, QStringLiteral("must be an object"));
    return v.toObject();
  }

 private:
  QString* m_error;
  bool m_failed = false;
};

QString at(const QString& list, int i) { return QStringLiteral("%1[%2]").arg(list).arg(i); }

QList<DeviceAction> readActions(Reader& r, const QJsonObject& o, const QString& key, const QString& where, const Home& home) {
  QList<DeviceAction> out;
  const QJsonArray list = r.array(o, key, where);
  for (int i = 0; i < list.size(); ++i) {
    const QString w = QStringLiteral("%1.%2").arg(where, at(key, i));
    const QJsonObject a = r.object(list[i], w);
    DeviceAction action{r.text(a, "serial", w, true), r.text(a, "status", w, true)};
    const Device* d = home.device(action.serial);
    if (!d) r.fail(w, QStringLiteral("no device with serial '%1'").arg(action.serial));
    else if (!acceptedStatuses(d->family()).contains(action.status))
      r.fail(w, QStringLiteral("status '%1' does not suit a device of type %2").arg(action.status, d->type));
    out << action;
  }
  return out;
}

QMap<QString, QString> readModes(Reader& r, const QJsonObject& o, const QString& key, const QString& where) {
  QMap<QString, QString> out;
  const QJsonValue v = o.value(key);
  if (v.isUndefined()) return out;
  const QJsonObject m = r.object(v, QStringLiteral("%1.%2").arg(where, key));
  for (auto it = m.begin(); it != m.end(); ++it) {
    const QString mode = it.value().toString();
    if (!Home::modesOf(it.key()).contains(mode))
      r.fail(QStringLiteral("%1.%2.%3").arg(where, key, it.key()), QStringLiteral("'%1' is not a mode of this domain").arg(mode));
    out[it.key()] = mode;
  }
  return out;
}

}  // namespace

QString builtInHomePath() { return QStringLiteral(":/simulator/demo-home.json"); }

std::optional<Home> homeFromJson(const QJsonObject& json, const HomeSetup& setup, QString* error) {
  Reader r(error);
  Home home;
  home.gateway = r.object(json.value("gateway"), "gateway");
  if (r.failed()) return std::nullopt;
  if (r.text(home.gateway, "id", "gateway", true).isEmpty() && !r.failed()) r.fail("gateway.id", "must not be empty");
  home.timeZoneId = r.text(json, "timeZone", "", false, home.gateway.value("timezone").toString());
  home.recordCredit = int(r.integer(json, "recordCredit", "", false, 10));
  home.recordSeconds = int(r.integer(json, "recordSeconds", "", false, 8));
  if (home.recordSeconds < 2 || home.recordSeconds > 60) r.fail("recordSeconds", "must be between 2 and 60");

  QSet<QString> serials;
  QSet<qint64> ids;
  const QJsonArray devices = r.array(json, "devices", "");
  for (int i = 0; i < devices.size() && !r.failed(); ++i) {
    const QString w = at("devices", i);
    const QJsonObject o = r.object(devices[i], w);
    Device d;
    d.id = r.integer(o, "id", w, true);
    d.serial = r.text(o, "serial", w, true);
    d.name = r.text(o, "name", w, true);
    d.type = r.text(o, "type", w, true);
    d.status = r.text(o, "status", w, false, defaultStatus(d.family()));
    d.graceTime = r.text(o, "graceTime", w, false, QStringLiteral("0"));
    d.batteryLevel = int(r.integer(o, "batteryLevel", w, false, 100));
    d.alive = r.boolean(o, "alive", w, true);
    d.newSensor = r.boolean(o, "newSensor", w, false);
    d.record = r.boolean(o, "record", w, d.family() == Family::Camera);
    d.defaultCam = r.boolean(o, "defaultCam", w, false);
    d.motorised = r.boolean(o, "motorised", w, d.type == "RCAM");
    if (r.failed()) break;
    if (d.serial.isEmpty()) r.fail(w + ".serial", "must not be empty");
    if (serials.contains(d.serial)) r.fail(w + ".serial", QStringLiteral("'%1' is used twice").arg(d.serial));
    if (ids.contains(d.id)) r.fail(w + ".id", QStringLiteral("%1 is used twice").arg(d.id));
    const QStringList accepted = acceptedStatuses(d.family());
    if (!accepted.isEmpty() && d.status != "OFF" && !accepted.contains(d.status))
      r.fail(w + ".status", QStringLiteral("'%1' is not one of %2").arg(d.status, accepted.join(", ")));
    serials.insert(d.serial);
    ids.insert(d.id);
    home.devices.push_back(d);
  }
  if (r.failed()) return std::nullopt;

  for (const QString& domain : Home::domains()) home.modes[domain] = QStringLiteral("OFF");
  const QMap<QString, QString> modes = readModes(r, json, "modes", "");
  for (auto it = modes.begin(); it != modes.end(); ++it) home.modes[it.key()] = it.value();

  QSet<qint64> favoriteIds;
  const QJsonArray favorites = r.array(json, "favorites", "");
  for (int i = 0; i < favorites.size() && !r.failed(); ++i) {
    const QString w = at("favorites", i);
    const QJsonObject o = r.object(favorites[i], w);
    Favorite f;
    f.id = r.integer(o, "id", w, true);
    f.name = r.text(o, "name", w, true);
    f.running = r.boolean(o, "running", w, false);
    f.onStart = readActions(r, o, "start", w, home);
    f.onStop = readActions(r, o, "stop", w, home);
    f.modesOnStart = readModes(r, o, "modes", w);
    if (f.id < 0) r.fail(w + ".id", "must not be negative");
    if (favoriteIds.contains(f.id)) r.fail(w + ".id", QStringLiteral("%1 is used twice").arg(f.id));
    favoriteIds.insert(f.id);
    home.favorites.push_back(f);
  }

  QSet<qint64> scenarioIds;
  const QJsonArray scenarios = r.array(json, "scenarios", "");
  for (int i = 0; i < scenarios.size() && !r.failed(); ++i) {
    const QString w = at("scenarios", i);
    const QJsonObject o = r.object(scenarios[i], w);
    Scenario s;
    s.id = r.integer(o, "id", w, true);
    s.name = r.text(o, "name", w, true);
    s.category = r.text(o, "category", w, true);
    s.enabled = r.boolean(o, "enabled", w, false);
    s.actions = readActions(r, o, "actions", w, home);
    s.modes = readModes(r, o, "modes", w);
    if (s.id < 0) r.fail(w + ".id", "must not be negative");
    if (scenarioIds.contains(s.id)) r.fail(w + ".id", QStringLiteral("%1 is used twice").arg(s.id));
    scenarioIds.insert(s.id);
    home.scenarios.push_back(s);
  }

  const QJsonArray contacts = r.array(json, "alertContacts", "");
  for (int i = 0; i < contacts.size() && !r.failed(); ++i) {
    const QString w = at("alertContacts", i);
    const QJsonObject o = r.object(contacts[i], w);
    AlertDestination a{r.text(o, "type", w, true), r.text(o, "dest", w, true), r.text(o, "ack", w, false, "0")};
    home.alertContacts << a;
  }

  // Recordings are given by age so that a demo started any day shows recent ones.
  const QJsonArray recordings = r.array(json, "recordings", "");
  for (int i = 0; i < recordings.size() && !r.failed(); ++i) {
    const QString w = at("recordings", i);
    const QJsonObject o = r.object(recordings[i], w);
    Recording rec;
    rec.id = r.integer(o, "id", w, false, i + 1);
    rec.cameraSerial = r.text(o, "camera", w, true);
    rec.type = r.text(o, "type", w, false, "0");
    rec.dateMs = setup.nowMs - r.integer(o, "minutesAgo", w, false, 60) * 60000;
    const Device* cam = home.device(rec.cameraSerial);
    if (!r.failed() && (!cam || cam->family() != Family::Camera)) {
      r.fail(w + ".camera", QStringLiteral("no camera with serial '%1'").arg(rec.cameraSerial));
      break;
    }
    rec.sensorName = r.text(o, "sensorName", w, false, cam ? cam->name : QString());
    rec.sensorType = r.text(o, "sensorType", w, false, cam ? cam->type : QString());
    RecordingFile file;
    file.id = rec.id;
    file.dateMs = rec.dateMs;
    file.durationS = int(r.integer(o, "duration", w, false, 8));
    file.name = QStringLiteral("%1_%2.mp4").arg(rec.cameraSerial).arg(file.id);
    rec.files << file;
    home.recordings.push_back(rec);
  }
  std::sort(home.recordings.begin(), home.recordings.end(),
            [](const Recording& a, const Recording& b) { return a.dateMs > b.dateMs; });

  const QJsonObject history = json.value("history").toObject();
  const int generated = int(r.integer(history, "generate", "history", false, 0));
  const int days = int(r.integer(history, "days", "history", false, 14));
  if (generated < 0 || generated > 5000) r.fail("history.generate", "must be between 0 and 5000");
  if (days < 1) r.fail("history.days", "must be at least 1");
  if (r.failed()) return std::nullopt;
  if (generated > 0) generateHistory(home, setup.seed, setup.nowMs, generated, days);
  return home;
}

std::optional<Home> loadHomeFile(const QString& path, const HomeSetup& setup, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString());
    return std::nullopt;
  }
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
  if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
    if (error)
      *error = QStringLiteral("%1: not a JSON object (%2 at offset %3)")
                   .arg(path, parseError.errorString())
                   .arg(parseError.offset);
    return std::nullopt;
  }
  QString inner;
  auto home = homeFromJson(doc.object(), setup, &inner);
  if (!home && error) *error = QStringLiteral("%1: %2").arg(path, inner);
  return home;
}

QJsonObject deviceJson(const Device& d) {
  return QJsonObject{{"id", d.id},
                     {"serial", d.serial},
                     {"name", d.name},
                     {"status", d.status},
                     {"type", d.type},
                     {"graceTime", d.graceTime},
                     {"batteryLevel", d.batteryLevel},
                     {"alive", d.alive},
                     {"newSensor", d.newSensor},
                     {"record", d.record},
                     {"defaultCam", d.defaultCam}};
}

QJsonObject deviceLightJson(const Device& d) {
  return QJsonObject{{"id", d.id}, {"serial", d.serial}, {"name", d.name}, {"status", d.status}, {"type", d.type}};
}

QJsonObject favoriteJson(const Favorite& f) {
  return QJsonObject{{"id", f.id}, {"name", f.name}, {"status", f.running ? "1" : "0"}};
}

QJsonObject scenarioJson(const Scenario& s) {
  return QJsonObject{
      {"id", s.id}, {"name", s.name}, {"status", s.enabled ? "ENABLED" : "DISABLED"}, {"category", s.category}};
}

QJsonObject modeJson(const QString& domain, const QString& mode) {
  return QJsonObject{{"mode", mode}, {"subCategory", domain}};
}

QString formatDate(qint64 ms, const QString& timeZoneId) {
  QDateTime t = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
  const QTimeZone zone(timeZoneId.toUtf8());
  t = zone.isValid() ? t.toTimeZone(zone) : t.toLocalTime();
  return t.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QJsonObject historyJson(const HistoryEvent& e, const QString& timeZoneId) {
  QJsonArray alerts;
  for (const AlertDestination& a : e.alerts) alerts.append(QJsonObject{{"type", a.type}, {"dest", a.dest}, {"ack", a.ack}});
  QJsonObject o{{"name", e.name},
                {"type", e.type},
                {"state", e.state},
                {"date", formatDate(e.dateMs, timeZoneId)},
                {"origin", e.origin},
                {"reason", e.reason},
                {"alert", e.alert},
                {"triggerName", e.triggerName},
                {"category", e.category},
                {"subCategory", e.subCategory},
                {"alerts", alerts}};
  return o;
}

QJsonObject recordingJson(const Recording& r, const QString& timeZoneId) {
  QJsonArray files;
  for (const RecordingFile& f : r.files)
    files.append(QJsonObject{{"id", f.id}, {"name", f.name}, {"date", formatDate(f.dateMs, timeZoneId)}, {"duration", f.durationS}});
  return QJsonObject{{"id", r.id},
                     {"date", formatDate(r.dateMs, timeZoneId)},
                     {"sensorName", r.sensorName},
                     {"sensorType", r.sensorType},
                     {"type", r.type},
                     {"files", files}};
}

QJsonObject dashboardJson(const Home& home) {
  QJsonObject sections{{"cameras", QJsonArray()}, {"climatic", QJsonArray()}, {"lighting", QJsonArray()}, {"opening", QJsonArray()}};
  for (const Device& d : home.devices) {
    const QString section = dashboardSection(d.family());
    if (section.isEmpty()) continue;
    QJsonArray list = sections.value(section).toArray();
    list.append(deviceLightJson(d));
    sections[section] = list;
  }
  QJsonArray favorites, modes, scenarios;
  for (const Favorite& f : home.favorites) favorites.append(favoriteJson(f));
  for (const QString& domain : Home::domains()) modes.append(modeJson(domain, home.modes.value(domain)));
  for (const Scenario& s : home.scenarios) scenarios.append(scenarioJson(s));
  sections["favorites"] = favorites;
  sections["modes"] = modes;
  sections["scenarios"] = scenarios;
  return sections;
}

}  // namespace simhome
