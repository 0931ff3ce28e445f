#pragma once
// The alarm in its three domains: a three-position selector for intrusion (off, partial, total)
// and two switches, domestic safety and home help. The modes are fetched when the screen is made
// (and read again from every mode list that arrives while it lives); a control sends its command
// on the event that shows the change, and a refused command puts the control back to the last
// mode the service confirmed for that domain: the fetched one, or the last command it accepted.
#include "backend/ServiceCalls.h"
#include "foundation/NotificationCenter.h"
#include "ui/Screen.h"

#include <QHash>
#include <QString>

class CustomSliderText;
#include "controls/Refreshable.h"

class CustomSwitch;

namespace ui {
class Control;
}

class MySafetyController : public ui::Screen, public controls::Refreshable {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 60;

  explicit MySafetyController(QObject* parent = nullptr);
  ~MySafetyController() override;

  // The controls (made with the view).
  CustomSliderText* sliderAlarm() const { return m_sliderAlarm; }
  CustomSwitch* switchDomestic() const { return m_switchDomestic; }
  CustomSwitch* switchHomehelp() const { return m_switchHomehelp; }

  // Fetches the modes, with the progress overlay.
  void callGetMode();
  // Fetches them again without it (the app keeps the open screen current).
  void refresh() override;
  std::vector<backend::DataSet> dataShown() const override { return {backend::DataSet::Modes}; }
  // Shows the confirmed modes on the controls of every domain no command is out for.
  void refreshModes();

  // The commands, as the controls send them.
  void changeAlarmMode();
  void changeDomesticMode(ui::Control* sender);
  void changeAssistanceMode(ui::Control* sender);

  // The last mode the service confirmed for "INTRUSION", "DOMESTIC" or "ASSISTANCE" (empty until
  // one is known).
  QString confirmedMode(const QString& domain) const { return m_confirmed.value(domain); }
  // Commands still waiting for their answer, for one domain.
  int pendingCommands(const QString& domain) const { return m_pending.value(domain); }

 protected:
  void loadView() override;

 private:
  void onGetAlarmMode();
  void putMode(const QString& mode, const QString& domain);
  // Shows the confirmed mode of `domain` (or, when none is known, what the screen shows already).
  void showMode(const QString& domain, bool animated);
  // An answer to a command of `domain` came.
  void settle(const QString& domain);

  backend::ServiceCalls m_calls;
  foundation::Observations m_observations;
  QHash<QString, QString> m_confirmed;
  QHash<QString, int> m_pending;
  QHash<QString, QString> m_shown;           // what each domain's control shows
  QHash<QString, QString> m_beforeCommands;  // what it showed before the commands still out
  CustomSliderText* m_sliderAlarm = nullptr;
  CustomSwitch* m_switchDomestic = nullptr;
  CustomSwitch* m_switchHomehelp = nullptr;
};
