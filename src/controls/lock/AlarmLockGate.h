#pragma once
// Asks the alarm code to open the app, when the account chose so (backend::AlarmLock): at start
// (askAtStart) and on return to the foreground after the chosen minutes in the background. The
// question cannot be cancelled: only the code, or the account's password through "Code oublié ?",
// opens the app.
//
// The shell makes one per window; it calls start() once the account is known (at start, after a
// remembered or a manual sign-in) and the gate follows the app's state by itself from then on.
#include "controls/lock/CodePrompt.h"
#include "foundation/NotificationCenter.h"

#include <QObject>
#include <QPointer>

namespace ui {
class Window;
}

namespace controls {

class AlarmLockGate : public QObject {
  Q_OBJECT
 public:
  explicit AlarmLockGate(ui::Window* window, QObject* parent = nullptr);
  ~AlarmLockGate() override;

  // Asks now when the account asks at start.
  void start();
  // The app went to the background / came back (the app's state notifications call these).
  void wentToBackground();
  void cameBack();

  bool isAsking() const { return m_prompt != nullptr; }
  CodePrompt* prompt() const { return m_prompt; }

 signals:
  // The code opened the app.
  void opened();

 private:
  void ask();

  QPointer<ui::Window> m_window;
  QPointer<CodePrompt> m_prompt;
  qint64 m_backgroundSince = -1;  // the scheduler's monotonic ms; -1 while in the foreground
  foundation::Observations m_observations;
};

}  // namespace controls
