// The JSON form of every record: which member fills which field of an answer record, under which
// key path of an answer each record kind is found, and which fields of a send record go into a
// request body.
#include "backend/BERestConfig.h"

#include "backend/records/AuthRecords.h"
#include "backend/records/HistoryRecords.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/OtherRecords.h"
#include "backend/records/SendRecords.h"
#include "backend/records/VideoRecords.h"
#include "backend/records/WeatherRecords.h"
#include "rest/mapping/RestObjectManager.h"

#include <cctype>
#include <iterator>
#include <string>

using rest::RestObjectMapping;
using rest::RestObjectMappingPtr;

namespace {

// The service calls identifiers "id"; the records call them `identifier`.
constexpr const char* kIdMember = "id";

RestObjectMappingPtr mappingWithIdentifier(const rest::ObjectClass& cls, std::initializer_list<std::string> others) {
  auto m = RestObjectMapping::mappingForClass(cls);
  m->mapKeyPathToAttribute(kIdMember, "identifier");
  m->mapAttributes(others);
  return m;
}

RestObjectMappingPtr serializationOf(std::initializer_list<std::string> members) {
  auto m = RestObjectMapping::serializationMapping();
  m->mapAttributes(members);
  return m;
}

// "tempInMinDate" -> "temp_in_min_date".
std::string snakeCase(const std::string& camel) {
  std::string out;
  for (const char c : camel) {
    if (std::isupper(static_cast<unsigned char>(c))) {
      out += '_';
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else {
      out += c;
    }
  }
  return out;
}

// The weather station's members, in the order of the record's fields. "date" is the one member
// whose field is not its snake_case form.
const char* const kWeatherMembers[] = {
    "tempInAverage", "tempOutAverage", "humidityInAverage", "humidityOutAverage", "pressureAverage", "windAverage",
    "date",
    "tempInCurrent", "tempInTrend", "tempInMin", "tempInMinDate", "tempInMax", "tempInMaxDate",
    "tempOutCurrent", "tempOutTrend", "tempOutMin", "tempOutMinDate", "tempOutMax", "tempOutMaxDate",
    "humidityInCurrent", "humidityInTrend", "humidityInMin", "humidityInMinDate", "humidityInMax", "humidityInMaxDate",
    "humidityOutCurrent", "humidityOutTrend", "humidityOutMin", "humidityOutMinDate", "humidityOutMax",
    "humidityOutMaxDate",
    "pressureCurrent", "pressureTrend", "pressureMin", "pressureMinDate", "pressureMax", "pressureMaxDate",
    "windCurrent", "windTrend", "windDirection", "windMax", "windMaxDate",
    "rainLastHour", "rainTrend", "rainTotal",
};
static_assert(std::size(kWeatherMembers) == 45);

}  // namespace

void BERestConfig::mapping() {
  mappingLogin();
  mappingDevice();
  mappingMode();
  mappingScenario();
  mappingFavorite();
  mappingHistory();
  mappingWeather();
  mappingVideo();
  mappingDashboard();
}

void BERestConfig::serialization() {
  serializationLogin();
  serializationDevice();
  serializationMode();
  serializationScenario();
  serializationFavorite();
  serializationWeather();
  serializationVideo();
  serializationDashboard();
}

void BERestConfig::mappingLogin() {
  auto& provider = m_restManager->mappingProvider();

  m_userMapping = mappingWithIdentifier(VOUser::staticClass(),
                                        {"ref", "login", "mail", "phone", "subId", "creation", "language",
                                         "firstConnection", "lastConnection", "connectionStep"});
  m_gatewayMapping = mappingWithIdentifier(
      VOGateway::staticClass(), {"serial", "status", "led", "ref", "type", "ip", "connection", "initDate",
                                 "activationDate", "manufacDate", "imei", "model", "firmware", "version", "macWifi",
                                 "macEthernet", "updateDate", "muteMode", "timezone"});

  m_authReturnMapping = RestObjectMapping::mappingForClass(VOAuth::staticClass());
  m_authReturnMapping->mapAttributes({"sessionId"});
  m_authReturnMapping->mapKeyPathToRelationshipWithMapping("user", "user", m_userMapping);
  m_authReturnMapping->mapKeyPathToRelationshipWithMapping("gateway", "gateway", m_gatewayMapping);
  provider.setMappingForKeyPath(m_authReturnMapping, "");

  m_listMapping = RestObjectMapping::mappingForClass(VOKeyValue::staticClass());
  m_listMapping->mapAttributes({"key", "value"});
  provider.setMappingForKeyPath(m_listMapping, "list");

  provider.setSerializationMappingForClass(m_authReturnMapping->inverseMapping(), VOAuth::staticClass());
}

void BERestConfig::mappingDevice() {
  m_deviceMapping = mappingWithIdentifier(VODevice::staticClass(),
                                          {"serial", "name", "status", "type", "graceTime", "batteryLevel", "alive"});
  m_deviceMapping->mapKeyPathToAttribute("newSensor", "isNewSensor");
  m_deviceMapping->mapAttributes({"record", "defaultCam"});
  m_restManager->mappingProvider().setMappingForKeyPath(m_deviceMapping, "devices");
}

void BERestConfig::mappingMode() {
  m_modeMapping = RestObjectMapping::mappingForClass(VOMode::staticClass());
  m_modeMapping->mapAttributes({"mode", "subCategory"});
  m_restManager->mappingProvider().setMappingForKeyPath(m_modeMapping, "modeList");
}

void BERestConfig::mappingScenario() {
  m_scenarioMapping = mappingWithIdentifier(VOScenario::staticClass(), {"name", "status", "category"});
  m_restManager->mappingProvider().setMappingForKeyPath(m_scenarioMapping, "scenarios");
}

void BERestConfig::mappingFavorite() {
  m_favoriteMapping = mappingWithIdentifier(VOFavorite::staticClass(), {"name", "status"});
  m_restManager->mappingProvider().setMappingForKeyPath(m_favoriteMapping, "favorites");
}

void BERestConfig::mappingHistory() {
  m_historyAlertMapping = RestObjectMapping::mappingForClass(VOHistoryAlert::staticClass());
  m_historyAlertMapping->mapAttributes({"type", "dest", "ack"});

  m_historyMapping = RestObjectMapping::mappingForClass(VOHistory::staticClass());
  m_historyMapping->mapAttributes({"name", "type", "state", "date", "origin", "reason", "alert"});
  m_historyMapping->mapKeyPathToAttribute("triggerName", "trigger_name");
  m_historyMapping->mapAttributes({"category"});
  m_historyMapping->mapKeyPathToAttribute("subCategory", "subcategory");
  m_historyMapping->mapKeyPathToRelationshipWithMapping("alerts", "media", m_historyAlertMapping);
  m_restManager->mappingProvider().setMappingForKeyPath(m_historyMapping, "history");
}

void BERestConfig::mappingWeather() {
  m_weatherMapping = RestObjectMapping::mappingForClass(VOWeather::staticClass());
  for (const char* member : kWeatherMembers) {
    const std::string name = member;
    m_weatherMapping->mapKeyPathToAttribute(name, name == "date" ? std::string("info_date") : snakeCase(name));
  }
  m_restManager->mappingProvider().setMappingForKeyPath(m_weatherMapping, "weather");
}

void BERestConfig::mappingVideo() {
  auto& provider = m_restManager->mappingProvider();

  m_recFileMapping = RestObjectMapping::mappingForClass(VOVideoRecFile::staticClass());
  m_recFileMapping->mapAttributes({"date", "duration"});
  m_recFileMapping->mapKeyPathToAttribute(kIdMember, "identifier");
  m_recFileMapping->mapAttributes({"name"});

  m_recMapping = mappingWithIdentifier(VOVideoRec::staticClass(), {"date", "sensorName", "sensorType", "type"});
  m_recMapping->mapKeyPathToRelationshipWithMapping("files", "files", m_recFileMapping);
  provider.setMappingForKeyPath(m_recMapping, "records");

  m_playbackMapping = RestObjectMapping::mappingForClass(VOVideoPlayback::staticClass());
  m_playbackMapping->mapAttributes({"server"});
  provider.setMappingForKeyPath(m_playbackMapping, "playback");

  m_videoServerMapping = RestObjectMapping::mappingForClass(VOVideoServeur::staticClass());
  m_videoServerMapping->mapAttributes({"h263", "h264", "server", "serverPort"});
  provider.setMappingForKeyPath(m_videoServerMapping, "videoserver");
}

void BERestConfig::mappingDashboard() {
  m_deviceLightMapping = mappingWithIdentifier(VODeviceLight::staticClass(), {"serial", "name", "status", "type"});

  // The dashboard's own copies of the favorite, mode and scenario mappings: the same attributes,
  // registered under no key path.
  auto favorites = mappingWithIdentifier(VOFavorite::staticClass(), {"name", "status"});
  auto modes = RestObjectMapping::mappingForClass(VOMode::staticClass());
  modes->mapAttributes({"mode", "subCategory"});
  auto scenarios = mappingWithIdentifier(VOScenario::staticClass(), {"name", "status", "category"});

  m_dashboardMapping = RestObjectMapping::mappingForClass(VODashboard::staticClass());
  for (const char* list : {"cameras", "climatic", "lighting", "opening"})
    m_dashboardMapping->mapKeyPathToRelationshipWithMapping(list, list, m_deviceLightMapping);
  m_dashboardMapping->mapKeyPathToRelationshipWithMapping("favorites", "favorites", favorites);
  m_dashboardMapping->mapKeyPathToRelationshipWithMapping("modes", "modes", modes);
  m_dashboardMapping->mapKeyPathToRelationshipWithMapping("scenarios", "scenarios", scenarios);
  m_restManager->mappingProvider().setMappingForKeyPath(m_dashboardMapping, "dashboard");
}

void BERestConfig::serializationLogin() {
  m_restManager->mappingProvider().setSerializationMappingForClass(serializationOf({"login", "password", "ihm"}),
                                                                   SOAuth::staticClass());
}

void BERestConfig::serializationDevice() {
  m_restManager->mappingProvider().setSerializationMappingForClass(serializationOf({"status", "serial"}),
                                                                   SODeviceStatus::staticClass());
}

void BERestConfig::serializationMode() {
  m_restManager->mappingProvider().setSerializationMappingForClass(serializationOf({"key", "value"}),
                                                                   SOMode::staticClass());
}

void BERestConfig::serializationScenario() {
  auto& provider = m_restManager->mappingProvider();
  provider.setSerializationMappingForClass(serializationOf({"category", "status"}), SOScenarioFilter::staticClass());
  provider.setSerializationMappingForClass(serializationOf({"key", "value"}), SOScenario::staticClass());
}

void BERestConfig::serializationFavorite() {
  auto& provider = m_restManager->mappingProvider();
  provider.setSerializationMappingForClass(serializationOf({}), SOFavoriteStart::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SOFavoriteStop::staticClass());
}

void BERestConfig::serializationWeather() {
  auto& provider = m_restManager->mappingProvider();
  provider.setSerializationMappingForClass(serializationOf({"startDate", "endDate"}), SOWeather::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SOWeatherEmpty::staticClass());
}

void BERestConfig::serializationVideo() {
  auto& provider = m_restManager->mappingProvider();
  provider.setSerializationMappingForClass(serializationOf({}), VOVideoPlayback::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SOImageStart::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SOImageStop::staticClass());
  provider.setSerializationMappingForClass(serializationOf({"key", "value"}), SOCameraPanZoom::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SOVideoStart::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SOVideoStop::staticClass());
  provider.setSerializationMappingForClass(serializationOf({}), SORecordStart::staticClass());
}

void BERestConfig::serializationDashboard() {
  m_restManager->mappingProvider().setSerializationMappingForClass(serializationOf({}),
                                                                   SODashboardEmpty::staticClass());
}
