#include "screens/devicelist/DeviceStates.h"

namespace devicelist {

void DeviceStates::take(const QString& serial, const QString& status, bool overwrite) {
  auto it = m_devices.find(serial);
  if (it == m_devices.end()) {
    m_devices.insert(serial, Device{status, 0, {}});
  } else if (overwrite) {
    it->confirmed = status;
    it->confirmedBy = 0;
  }
}

DeviceStates::Command DeviceStates::send(const QString& serial, const QString& status) {
  const Command command = ++m_last;
  m_devices[serial].pending.emplace(command, status);
  return command;
}

void DeviceStates::confirm(const QString& serial, Command command) {
  auto it = m_devices.find(serial);
  if (it == m_devices.end()) return;
  auto sent = it->pending.find(command);
  if (sent == it->pending.end()) return;
  // Answers may come back in another order than the commands went out; the later command wins.
  if (command > it->confirmedBy) {
    it->confirmed = sent->second;
    it->confirmedBy = command;
  }
  it->pending.erase(sent);
}

void DeviceStates::refuse(const QString& serial, Command command) {
  auto it = m_devices.find(serial);
  if (it != m_devices.end()) it->pending.erase(command);
}

QString DeviceStates::shown(const QString& serial) const {
  auto it = m_devices.constFind(serial);
  if (it == m_devices.constEnd()) return {};
  return it->pending.empty() ? it->confirmed : it->pending.rbegin()->second;
}

QString DeviceStates::confirmed(const QString& serial) const {
  auto it = m_devices.constFind(serial);
  return it == m_devices.constEnd() ? QString() : it->confirmed;
}

bool DeviceStates::hasPending(const QString& serial) const {
  auto it = m_devices.constFind(serial);
  return it != m_devices.constEnd() && !it->pending.empty();
}

}  // namespace devicelist
