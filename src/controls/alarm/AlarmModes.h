#pragma once
// The alarm's three domains on screen: the intrusion selector (off, partial, total) and the
// domestic-safety and home-help switches, however a screen lays them out. It shows what the home
// shows for each domain (backend::Home: the newest command still out, else the mode the service
// confirmed), sends the command of a control the user moved, and follows every change, whichever
// screen caused it. The home dashboard and the safety screen share it.
//
// A domain whose mode is not known keeps what its control shows; when a command for it is
// refused, the control goes back to what it showed before that command.
//
// Lowering the protection (intrusion down to partial or off, domestic safety off) asks the alarm
// code first when one is set (CodePrompt): the command leaves only once the code proved right,
// and the control goes back when the question is cancelled. Raising it never asks.
#include "backend/ServiceCalls.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class CustomSliderText;
class CustomSwitch;

namespace controls {

class AlarmModes : public QObject {
  Q_OBJECT
 public:
  static const QString kIntrusion;
  static const QString kDomestic;
  static const QString kAssistance;

  // The controls stay their parent's; the selector has three positions.
  AlarmModes(CustomSliderText* intrusion, CustomSwitch* domestic, CustomSwitch* assistance, QObject* parent);

  // Puts every control to what the home shows.
  void showAll(bool animated);
  // The command of each control, as its touch sends it.
  void changeIntrusion();
  void changeDomestic();
  void changeAssistance();

 private:
  void send(const QString& domain, const QString& mode);
  void sendNow(const QString& domain, const QString& mode);
  bool lowersProtection(const QString& domain, const QString& mode) const;
  // The control of `domain` shows again what it showed before the user moved it.
  void putBack(const QString& domain);
  void show(const QString& domain, bool animated);
  QString modeShownBy(const QString& domain) const;

  QPointer<CustomSliderText> m_intrusion;
  QPointer<CustomSwitch> m_domestic;
  QPointer<CustomSwitch> m_assistance;
  // What each control shows, and what it showed before the first of its domain's commands still out.
  QHash<QString, QString> m_shown;
  QHash<QString, QString> m_beforeCommands;
  backend::ServiceCalls m_calls;
  bool m_asking = false;  // the code is being asked for a command
};

}  // namespace controls
