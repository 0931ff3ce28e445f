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
}  // namespace

BEServiceDevice::BEServiceDevice() {
  registerRoute(SODeviceStatus::staticClass(), kStatusPath, rest::RestRequestMethodPUT);
  // Both list operations send the same request; every answer is announced under both names.
  defineOperation(List, listRead("device list", {kSuccessDeviceGetList, kSuccessDeviceGetActuatorList},
                                 {kErrorDeviceGetList, kErrorDeviceGetActuatorList}, "devices", &BESessionManager::setDevices,
                                 backend::DataSet::Devices));
  // The new status reaches the store only with the next list.
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

void BEServiceDevice::getActuatorList() { loadSessionPath(List, kListPath); }

void BEServiceDevice::getList() { loadSessionPath(List, kListPath); }

void BEServiceDevice::putStatusWithId(const QString& status, const QString& serial) {
  auto record = std::make_shared<SODeviceStatus>();
  record->serial = serial.toStdString();
  record->status = status.toStdString();
  record->session = currentSession();
  putRecord(PutStatus, record);
}

void BEServiceDevice::getDeviceExist(const QString& kind) { loadSessionPath(Exist, kExistPath + escapedSegment(kind)); }
