#include "home/HistoryGenerator.h"

#include "home/Noise.h"

#include <algorithm>

namespace simhome {

namespace {

enum class Name { Sensor, Remote, Favorite, Scenario, Station, None };

// One kind of event: its codes and where its name comes from.
struct Kind {
  const char* origin;
  const char* reason;
  const char* alert;
  Name name;
  bool withMode = false;      // a mode change: state and subCategory say which
  const char* state = "";     // fixed state, when the kind has one
  const char* trigger = "";   // favorites: "L" (from a remote) or "R" (remotely)
  const char* subCategory = "";
};

// Every combination the history screen shows, plus the three reasons it hides.
const std::vector<Kind>& kinds() {
  static const std::vector<Kind> list = {
      // No alert sent.
      {"0", "0", "0", Name::Sensor},
      {"0", "1", "0", Name::Remote, true},
      {"1", "0", "0", Name::Sensor},
      {"1", "16", "0", Name::Sensor},
      {"1", "7", "0", Name::Sensor},
      {"1", "12", "0", Name::Sensor},
      {"1", "13", "0", Name::Sensor},
      {"1", "2", "0", Name::Station},
      {"1", "3", "0", Name::Station},
      {"1", "4", "0", Name::Station},
      {"1", "5", "0", Name::Station},
      {"1", "6", "0", Name::Station},
      {"1", "8", "0", Name::Station},
      {"1", "9", "0", Name::Station},
      {"2", "19", "0", Name::None},
      {"2", "20", "0", Name::None},
      {"3", "1", "0", Name::Scenario, true},
      {"3", "15", "0", Name::Sensor},
      {"4", "15", "0", Name::Favorite, false, "FP", "L"},
      {"4", "15", "0", Name::Favorite, false, "FP", "R"},
      {"4", "15", "0", Name::Favorite, false, "FS", "R"},
      {"4", "1", "0", Name::Favorite, true},
      {"5", "1", "0", Name::None, true},
      {"6", "1", "0", Name::None, true},
      {"7", "1", "0", Name::None, true},
      // Alert sent.
      {"0", "0", "1", Name::Sensor},
      {"0", "1", "1", Name::Remote, false, "MON", "", "ASSISTANCE"},
      {"0", "1", "1", Name::Remote, false, "MOFF", "", "ASSISTANCE"},
      {"0", "18", "1", Name::None},
      {"1", "16", "1", Name::Sensor},
      {"1", "7", "1", Name::Sensor},
      {"1", "12", "1", Name::Sensor},
      {"1", "13", "1", Name::Sensor},
      {"1", "2", "1", Name::Station},
      {"1", "3", "1", Name::Station},
      {"1", "4", "1", Name::Station},
      {"1", "5", "1", Name::Station},
      {"1", "6", "1", Name::Station},
      {"1", "8", "1", Name::Station},
      {"1", "9", "1", Name::Station},
      // Kept by the gateway, not shown by the app.
      {"1", "17", "0", Name::Sensor},
      {"1", "10", "0", Name::Station},
      {"1", "11", "0", Name::Station},
  };
  return list;
}

QString modeStateOf(const QString& mode) {
  if (mode == "ON") return QStringLiteral("MON");
  if (mode == "PRESENCE") return QStringLiteral("MPR");
  return QStringLiteral("MOFF");
}

class Builder {
 public:
  Builder(const Home& home, std::uint64_t seed) : m_home(home), m_random(seed) {
    for (const Device& d : home.devices) {
      if (alarmTypes().contains(d.type)) m_alarmSensors.push_back(&d);
      if (d.type == "P1TR" || d.type == "P1KR") m_remotes.push_back(&d);
      if (d.family() != Family::Camera && d.family() != Family::WeatherStation) m_devices.push_back(&d);
    }
  }

  HistoryEvent make(const Kind& k, qint64 dateMs, int alertCount) {
    HistoryEvent e;
    e.dateMs = dateMs;
    e.origin = k.origin;
    e.reason = k.reason;
    e.alert = k.alert;
    e.state = k.state;
    e.triggerName = k.trigger;
    e.subCategory = k.subCategory;
    switch (k.name) {
      case Name::Sensor: {
        // Alarms cycle through every alarm type so that each alert title appears.
        const bool alarm = (QString(k.reason) == "0");
        if (alarm) {
          const QString type = alarmTypes()[m_alarmCycle++ % alarmTypes().size()];
          const Device* d = sensorOfType(type);
          e.type = type;
          e.name = d ? d->name : QStringLiteral("Capteur %1").arg(type);
        } else if (!m_devices.empty()) {
          const Device* d = m_random.pick(m_devices);
          e.type = d->type;
          e.name = d->name;
        }
        e.category = alarm ? QStringLiteral("ALARM") : QStringLiteral("SENSOR");
        break;
      }
      case Name::Remote:
        e.name = m_remotes.empty() ? QStringLiteral("Télécommande") : m_random.pick(m_remotes)->name;
        e.type = m_remotes.empty() ? QStringLiteral("P1TR") : QString();
        break;
      case Name::Favorite:
        e.name = m_home.favorites.empty() ? QStringLiteral("Favori") : m_random.pick(m_home.favorites).name;
        e.category = QStringLiteral("FAVORITE");
        break;
      case Name::Scenario:
        e.name = m_home.scenarios.empty() ? QStringLiteral("Scénario") : m_random.pick(m_home.scenarios).name;
        e.category = QStringLiteral("SCENARIO");
        break;
      case Name::Station:
        e.name = m_home.gateway.value("model").toString(QStringLiteral("Box"));
        e.category = QStringLiteral("STATION");
        break;
      case Name::None:
        break;
    }
    if (k.withMode) {
      const QString domain = m_random.pick(Home::domains());
      const QStringList modes = Home::modesOf(domain);
      e.subCategory = domain;
      e.state = modeStateOf(m_random.pick(modes));
      e.category = QStringLiteral("MODE");
    }
    if (e.subCategory == "ASSISTANCE" && e.category.isEmpty()) e.category = QStringLiteral("MODE");
    if (QString(k.alert) == "1") {
      for (int i = 0; i < alertCount && !m_home.alertContacts.isEmpty(); ++i) {
        AlertDestination a = m_home.alertContacts[i % m_home.alertContacts.size()];
        a.ack = m_random.chance(0.7) ? QStringLiteral("1") : QStringLiteral("0");
        e.alerts << a;
      }
    }
    return e;
  }

  Random& random() { return m_random; }
  void startAlarmCycleAt(std::size_t i) { m_alarmCycle = i; }

 private:
  const Device* sensorOfType(const QString& type) const {
    for (const Device* d : m_alarmSensors)
      if (d->type == type) return d;
    return nullptr;
  }

  const Home& m_home;
  Random m_random;
  std::vector<const Device*> m_alarmSensors, m_remotes, m_devices;
  std::size_t m_alarmCycle = 0;
};

}  // namespace

const QStringList& alarmTypes() {
  static const QStringList list = {"P1DO", "P1DOG", "P1DOF", "P1DMP", "P1DMO", "P1G", "P1GZ", "P1C",
                                   "P1W",  "P1EF",  "P1S",   "P1RS",  "P1KR",  "P1TR", "P1P"};
  return list;
}

void generateHistory(Home& home, std::uint64_t seed, qint64 nowMs, int count, int days) {
  Builder builder(home, mix(seed, 0x4857));
  const std::vector<Kind>& all = kinds();
  // Destinations of the sent alerts: the counts the screen lays out differently come first.
  const int alertCounts[] = {0, 1, 3, 7, 2, 1};
  int alertIndex = 0;
  const qint64 spanMs = qint64(days) * 24 * 3600 * 1000;
  std::vector<qint64> dates;
  for (int i = 0; i < count; ++i) dates.push_back(nowMs - 60000 - qint64(builder.random().unit() * double(spanMs)));
  std::sort(dates.begin(), dates.end());
  // Kinds: each once (in a shuffled order), then at random; alarms and mode changes weigh more.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < all.size() && int(order.size()) < count; ++i) order.push_back(i);
  while (int(order.size()) < count) order.push_back(std::size_t(builder.random().between(0, int(all.size()) - 1)));
  for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[std::size_t(builder.random().between(0, int(i) - 1))]);
  for (int i = 0; i < count; ++i) {
    const Kind& k = all[order[std::size_t(i)]];
    const int alerts = QString(k.alert) == "1" ? alertCounts[alertIndex++ % 6] : 0;
    home.addHistory(builder.make(k, dates[std::size_t(i)], alerts));
  }
}

HistoryEvent lifeEvent(const Home& home, std::uint64_t seed, std::int64_t index, qint64 dateMs) {
  // Daily life is quiet: sensor reports and the odd door opened, never an alarm with messages.
  static const Kind quiet[] = {
      {"1", "0", "0", Name::Sensor}, {"1", "13", "0", Name::Sensor}, {"1", "7", "0", Name::Sensor},
      {"1", "8", "0", Name::Station},
  };
  Builder builder(home, mix(seed, 0x11FE, std::uint64_t(index)));
  builder.startAlarmCycleAt(std::size_t(index));
  return builder.make(quiet[std::size_t(builder.random().between(0, 3))], dateMs, 0);
}

}  // namespace simhome
