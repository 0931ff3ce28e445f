#pragma once
// The alarm in its three domains: a three-position selector for intrusion (off, partial, total)
// and two switches, domestic safety and home help (controls::AlarmModes). The modes are fetched
// when the screen is made; the controls show what the home shows for each domain, whichever
// screen changed it, and a refused command puts a control back to the last mode the service
// confirmed for that domain.
#include "backend/ServiceCalls.h"
#include "controls/Refreshable.h"
#include "ui/Screen.h"

#include <QPointer>
#include <QString>

class CustomSliderText;
class CustomSwitch;

namespace controls {
class AlarmModes;
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
  // Shows what the home shows for every domain.
  void refreshModes();

  // The last mode the service confirmed for "INTRUSION", "DOMESTIC" or "ASSISTANCE" (empty until
  // one is known).
  QString confirmedMode(const QString& domain) const;
  // Commands still waiting for their answer, for one domain.
  int pendingCommands(const QString& domain) const;

 protected:
  void loadView() override;

 private:
  backend::ServiceCalls m_calls;
  QPointer<controls::AlarmModes> m_modes;
  CustomSliderText* m_sliderAlarm = nullptr;
  CustomSwitch* m_switchDomestic = nullptr;
  CustomSwitch* m_switchHomehelp = nullptr;
};
