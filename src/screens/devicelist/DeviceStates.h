#pragma once
// What a device list shows for each device, kept apart from the session store: the status the
// service last confirmed (from a list answer, or from a command it accepted, which the store never
// learns of) and the commands still out. A row shows the newest command still out, else the
// confirmed status; when a command is refused, the row falls back to whatever is still true.
#include <QHash>
#include <QString>

#include <cstdint>
#include <map>

namespace devicelist {

class DeviceStates {
 public:
  using Command = std::uint64_t;

  // A status read from a list answer. `overwrite` false keeps a status already known (the rows
  // are being rebuilt from a store that may be older than the commands confirmed since).
  void take(const QString& serial, const QString& status, bool overwrite);

  // A command for `status` goes out; the number names it in confirm() and refuse().
  Command send(const QString& serial, const QString& status);
  // The service accepted the command: its status becomes the confirmed one, unless a later
  // command for the same device was accepted first.
  void confirm(const QString& serial, Command command);
  // The service refused the command.
  void refuse(const QString& serial, Command command);

  // What the row shows: the status of the newest command still out, else the confirmed status.
  QString shown(const QString& serial) const;
  QString confirmed(const QString& serial) const;
  bool isKnown(const QString& serial) const { return m_devices.contains(serial); }
  bool hasPending(const QString& serial) const;

 private:
  struct Device {
    QString confirmed;
    Command confirmedBy = 0;  // the command whose acceptance set `confirmed`, 0 for a list answer
    std::map<Command, QString> pending;
  };
  QHash<QString, Device> m_devices;
  Command m_last = 0;
};

}  // namespace devicelist
