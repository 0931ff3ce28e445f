#include "backend/BEServiceDevice.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/device");
const QString kStatusPath = QStringLiteral("/device/status");
const QString kExistPath = QStringLiteral("/device/exist/");

enum Op { List, PutStatus, Exist };

std::shared_ptr<SODeviceStatus> statusRecord(const QString& status, const QString& serial, const std::string& session) {
  auto record = std::make_shared<SODeviceStatus>();
  record->serial = serial.toStdString();
  record->status = status.toStdString();
  record->session = session;
  return record;
}
}  // namespace

BEServiceDevice::BEServiceDevice() {
  registerRoute(SODeviceStatus::staticClass(), kStatusPath, rest::RestRequestMethodPUT);
  // Both list operations send the same request; every answer is announced under both names.
  defineOperation(List, listRead("device list", {kSuccessDeviceGetList, kSuccessDeviceGetActuatorList},
                                 {kErrorDeviceGetList, kErrorDeviceGetActuatorList}, "devices", &BESessionManager::setDevices,
                                 backend::DataSet::Devices));
  // An accepted status is written into the store by the home's ledger (see putCommand).
  defineOperation(PutStatus, {.name = "device status",
                              .successNames = {kSuccessDevicePutStatus},
                              .errorNames = {kErrorDevicePutStatus}});
  defineOperation(Exist, {.name = "device existence",
                          .successNames = {kSuccessDeviceGetExist},
                          .errorNames = {kErrorDeviceGetExist},
                          .failureOutcome = [](int status) {
                            // 404 is the ordinary "no"; a 200 whose body maps to nothing still says "yes".
                            if (status == 404) return backend::FailureOutcome::Quiet;
                            if (status == 200) return backend::FailureOutcome::Success;
                            return backend::FailureOutcome::Alert;
                          }});
}

backend::ReplyPtr BEServiceDevice::getActuatorList() { return loadSessionPath(List, kListPath); }

backend::ReplyPtr BEServiceDevice::getList() { return loadSessionPath(List, kListPath); }

backend::ReplyPtr BEServiceDevice::putStatusWithId(const QString& status, const QString& serial) {
  return putCommand(PutStatus, statusRecord(status, serial, currentSession()), {backend::Home::Kind::DeviceStatus, serial}, status);
}

backend::ReplyPtr BEServiceDevice::putPulseWithId(const QString& status, const QString& serial) {
  return putCommand(PutStatus, statusRecord(status, serial, currentSession()), {backend::Home::Kind::Pulse, serial}, status);
}

backend::ReplyPtr BEServiceDevice::getDeviceExist(const QString& kind) { return loadSessionPath(Exist, kExistPath + escapedSegment(kind)); }
