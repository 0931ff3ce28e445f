#include "backend/HistoryTexts.h"

#include "backend/records/HistoryRecords.h"
#include "foundation/Strings.h"

#include <QRegularExpression>

namespace history {

namespace {

QString text(const rest::Text& t) { return t ? QString::fromStdString(*t) : QString(); }

// How one line of a row is made from the event.
enum class Part {
  Empty,
  Key,       // the key's text
  KeyName,   // the key's text, a space, the event's name
  Name,      // the event's name as it stands
  AlertKey,  // the title of the alarm by the device type
  ModeKey,   // the mode reached, by domain and state
};

struct Line {
  Part part = Part::Empty;
  const char* key = nullptr;
};

constexpr Line none{};
constexpr Line key(const char* k) { return {Part::Key, k}; }
constexpr Line keyName(const char* k) { return {Part::KeyName, k}; }
constexpr Line name{Part::Name, nullptr};
constexpr Line alarm{Part::AlertKey, nullptr};
constexpr Line mode{Part::ModeKey, nullptr};

constexpr Urgency C = Urgency::Critical;
constexpr Urgency N = Urgency::Normal;
constexpr Urgency O = Urgency::None;

// One row of a code table: the event's origin and reason, and when given its state and trigger;
// its lines, and how urgently it is told.
struct Rule {
  const char* origin;
  const char* reason;
  const char* state;    // nullptr: any
  const char* trigger;  // nullptr: any
  Line title, detail, via;
  Urgency urgency = Urgency::None;
};

// Events whose alert messages were not sent.
constexpr Rule kNotSent[] = {
    {"0", "0", nullptr, nullptr, alarm, key("TranslateAlertNotSend"), keyName("TranslateTriggerBy"), C},
    {"0", "1", nullptr, nullptr, key("TranslateChangeOfMode"), mode, keyName("TranslateByRemote")},
    {"1", "0", nullptr, nullptr, alarm, name, key("TranslateOfInfoType")},
    {"1", "16", nullptr, nullptr, key("TranslateInfoTear"), name, none, C},
    {"1", "7", nullptr, nullptr, key("TranslateLowSensorBatt"), name, none, N},
    {"1", "12", nullptr, nullptr, key("TranslateUnreachableSensor"), name, none, N},
    {"1", "13", nullptr, nullptr, key("TranslateReachedSensor"), name, none},
    {"1", "2", nullptr, nullptr, key("TranslateReconnectYourStation"), key("TranslateByGsmLink"), none, N},
    {"1", "3", nullptr, nullptr, key("TranslateReconnectYourStation"), key("TranslateByBroadbandLink"), none, N},
    {"1", "4", nullptr, nullptr, key("TranslateLossOfPower"), key("TranslateOfYourStation"), none, N},
    {"1", "5", nullptr, nullptr, key("TranslateStationPowerUp"), none, none, N},
    {"1", "6", nullptr, nullptr, key("TranslateStationLowBatt"), none, none, N},
    {"1", "8", nullptr, nullptr, key("TranslateConnectingStation"), none, none, N},
    {"1", "9", nullptr, nullptr, key("TranslateLogoutStation"), none, none, N},
    {"2", "19", nullptr, nullptr, key("TranslateDoubtLive"), key("TranslateViaWebApp"), none},
    {"2", "20", nullptr, nullptr, key("TranslateDoubtLive"), key("TranslateViaMobileOrTab"), none},
    {"3", "1", nullptr, nullptr, key("TranslateChangeOfMode"), mode, key("TranslateViaScenario")},
    {"3", "15", nullptr, nullptr, key("TranslateTriggerScenario"), keyName("TranslateBySensor"), none},
    {"4", "15", "FP", "L", key("TranslateTriggerFavorite"), name, key("TranslateFromRemote")},
    {"4", "15", "FP", "R", key("TranslateTriggerFavorite"), name, key("TranslateRemoted")},
    {"4", "15", "FS", nullptr, key("TranslateStopFavorite"), name, key("TranslateRemoted")},
    {"4", "1", nullptr, nullptr, key("TranslateChangeOfMode"), mode, key("TranslateViaFavorite")},
    {"5", "1", nullptr, nullptr, key("TranslateChangeOfMode"), mode, key("TranslateViaWebApp")},
    {"6", "1", nullptr, nullptr, key("TranslateChangeOfMode"), mode, key("TranslateViaMobileOrTab")},
    {"7", "1", nullptr, nullptr, key("TranslateChangeOfMode"), mode, key("TranslateViaVocal")},
};

// Events whose alert messages were sent.
constexpr Rule kSent[] = {
    {"0", "0", nullptr, nullptr, alarm, keyName("TranslateTriggerBy"), none, C},
    {"0", "1", "MON", nullptr, key("TranslateChangeOfMode"), key("TranslateModeHelpOn"), keyName("TranslateByallControl")},
    {"0", "1", "MOFF", nullptr, key("TranslateChangeOfMode"), key("TranslateModeHelpOff"), keyName("TranslateByallControl")},
    {"0", "18", nullptr, nullptr, key("TranslateHelpSosAlert"), key("TranslateAlertNotSend"), key("TranslateHomeInactivity"), C},
    {"1", "16", nullptr, nullptr, key("TranslateInfoTear"), name, none, C},
    {"1", "7", nullptr, nullptr, key("TranslateLowSensorBatt"), name, none, N},
    {"1", "12", nullptr, nullptr, key("TranslateUnreachableSensor"), name, none, N},
    {"1", "13", nullptr, nullptr, key("TranslateReachedSensor"), name, none},
    {"1", "2", nullptr, nullptr, key("TranslateReconnectYourStation"), key("TranslateByGsmLink"), none, N},
    {"1", "3", nullptr, nullptr, key("TranslateReconnectYourStation"), key("TranslateByBroadbandLink"), none, N},
    {"1", "4", nullptr, nullptr, key("TranslateLossOfPower"), key("TranslateOfYourStation"), none, N},
    {"1", "5", nullptr, nullptr, key("TranslateStationPowerUp"), none, none, N},
    {"1", "6", nullptr, nullptr, key("TranslateStationLowBatt"), none, none, N},
    {"1", "8", nullptr, nullptr, key("TranslateConnectingStation"), none, none, N},
    {"1", "9", nullptr, nullptr, key("TranslateLogoutStation"), none, none, N},
};

struct AlertType {
  const char* type;
  const char* key;
};
constexpr AlertType kAlertTypes[] = {
    {"P1DO", "TranslateOpenAlert"},  {"P1DOG", "TranslateOpenAlert"},          {"P1DOF", "TranslateOpenAlert"},
    {"P1DMP", "TranslateMoveAlert"}, {"P1DMO", "TranslateMoveAlert"},          {"P1G", "TranslateGlassBreakageAlert"},
    {"P1GZ", "TranslateGasAlert"},   {"P1C", "TranslateMonoxideAlert"},        {"P1W", "TranslateWaterAlert"},
    {"P1EF", "TranslatePowerFailureAlert"}, {"P1S", "TranslateFireAlert"},     {"P1RS", "TranslateHelpSosAlert"},
    {"P1KR", "TranslateHelpSosAlert"}, {"P1TR", "TranslateHelpSosAlert"},      {"P1P", "TranslateHelpSosAlert"},
};

struct Mode {
  const char* subcategory;
  const char* state;
  const char* key;
};
constexpr Mode kModes[] = {
    {"INTRUSION", "MON", "TranslateModeIntrusionOn"},   {"INTRUSION", "MPR", "TranslateModeIntrusionPartial"},
    {"INTRUSION", "MOFF", "TranslateModeIntrusionOff"}, {"DOMESTIC", "MON", "TranslateModeDomesticOn"},
    {"DOMESTIC", "MOFF", "TranslateModeDomesticOff"},   {"ASSISTANCE", "MON", "TranslateModeHelpOn"},
    {"ASSISTANCE", "MOFF", "TranslateModeHelpOff"},
};

struct Channel {
  const char* type;
  const char* key;
};
constexpr Channel kChannels[] = {
    {"VOCAL", "Called"}, {"SMS", "SMS sent to"}, {"EMAIL", "Email sent to"}, {"FAX", "Fax sent to"}};

bool matches(const char* wanted, const QString& value) { return !wanted || value == QLatin1String(wanted); }

const Rule* ruleFor(const VOHistory& e, bool sent) {
  const QString origin = text(e.origin), reason = text(e.reason), state = text(e.state), trigger = text(e.trigger_name);
  auto find = [&](const auto& table) -> const Rule* {
    for (const Rule& r : table)
      if (matches(r.origin, origin) && matches(r.reason, reason) && matches(r.state, state) && matches(r.trigger, trigger))
        return &r;
    return nullptr;
  };
  return sent ? find(kSent) : find(kNotSent);
}

QString joined(const QString& first, const QString& second) {
  if (second.isEmpty()) return first;
  if (first.isEmpty()) return second;
  return first + QLatin1Char(' ') + second;
}

QString lineText(const Line& line, const VOHistory& e) {
  switch (line.part) {
    case Part::Empty:
      return {};
    case Part::Key:
      return foundation::localized(line.key);
    case Part::KeyName:
      return joined(foundation::localized(line.key), text(e.name));
    case Part::Name:
      return text(e.name);
    case Part::AlertKey: {
      // An alarm of a type this version does not know is still an alarm.
      const char* k = alertKeyOf(text(e.type));
      return foundation::localized(k ? k : "TranslateOtherAlert");
    }
    case Part::ModeKey: {
      const char* k = modeKeyOf(text(e.subcategory), text(e.state));
      return k ? foundation::localized(k) : QString();
    }
  }
  return {};
}

QString dateText(const QString& date) {
  static const QRegularExpression space(QStringLiteral("\\s+"));
  const QStringList parts = date.split(space, Qt::SkipEmptyParts);
  if (parts.isEmpty()) return {};
  QString line = foundation::localized("The") + QLatin1Char(' ') + parts[0];
  // A date without its time still shows the day.
  if (parts.size() > 1) line += QLatin1Char('\n') + foundation::localized("At") + QLatin1Char(' ') + parts[1];
  return line;
}

QString destinationText(const VOHistoryAlert& alert) {
  const QString type = text(alert.type);
  const char* k = "TranslateAlertSentTo";
  for (const Channel& c : kChannels)
    if (type == QLatin1String(c.type)) k = c.key;
  return joined(foundation::localized(k), text(alert.dest));
}

bool sentAlert(const VOHistory& e) { return e.alert && *e.alert == "1"; }

}  // namespace

const char* alertKeyOf(const QString& type) {
  for (const AlertType& a : kAlertTypes)
    if (type == QLatin1String(a.type)) return a.key;
  return nullptr;
}

const char* modeKeyOf(const QString& subcategory, const QString& state) {
  for (const Mode& m : kModes)
    if (subcategory == QLatin1String(m.subcategory) && state == QLatin1String(m.state)) return m.key;
  return nullptr;
}

bool isShown(const VOHistory& e) {
  const QString reason = text(e.reason);
  return reason != QLatin1String("17") && reason != QLatin1String("10") && reason != QLatin1String("11");
}

RowTexts rowTexts(const VOHistory& e) {
  RowTexts row;
  row.date = dateText(text(e.date));
  const bool sent = sentAlert(e);
  const bool notSent = e.alert && *e.alert == "0";
  if (sent) {
    const int count = int(e.media.size());
    const int shown = count <= kMaxDestinationLines ? count : kMaxDestinationLines - 1;
    for (int i = 0; i < shown; ++i)
      row.destinations << (e.media[size_t(i)] ? destinationText(*e.media[size_t(i)]) : QString());
    if (shown < count) row.destinations << foundation::localized("TranslateMoreDestinations").arg(count - shown);
  }
  const Rule* rule = (sent || notSent) ? ruleFor(e, sent) : nullptr;
  if (!rule) {
    // Codes this version does not know: say that something happened, and to what.
    row.title = foundation::localized("TranslateOtherEvent");
    row.detail = text(e.name);
    return row;
  }
  row.title = lineText(rule->title, e);
  row.detail = lineText(rule->detail, e);
  row.via = lineText(rule->via, e);
  return row;
}

Urgency urgencyOf(const VOHistory& e) {
  if (!isShown(e) || !e.alert || (*e.alert != "0" && *e.alert != "1")) return Urgency::None;
  const Rule* rule = ruleFor(e, sentAlert(e));
  return rule ? rule->urgency : Urgency::None;
}

}  // namespace history
