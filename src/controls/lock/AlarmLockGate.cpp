#include "controls/lock/AlarmLockGate.h"

#include "backend/AlarmLock.h"
#include "controls/lock/CodePrompt.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"
#include "rest/network/RestNotifications.h"
#include "ui/Window.h"

namespace controls {

AlarmLockGate::AlarmLockGate(ui::Window* window, QObject* parent) : QObject(parent), m_window(window) {
  m_observations.add(rest::RestApplicationDidEnterBackgroundNotification, [this](const foundation::Notification&) { wentToBackground(); });
  m_observations.add(rest::RestApplicationWillEnterForegroundNotification, [this](const foundation::Notification&) { cameBack(); });
}

AlarmLockGate::~AlarmLockGate() {
  if (m_prompt) m_prompt->deleteLater();
}

void AlarmLockGate::start() {
  if (backend::AlarmLock().askAtStart()) ask();
}

void AlarmLockGate::wentToBackground() {
  if (m_backgroundSince < 0) m_backgroundSince = foundation::scheduler().monotonicMs();
}

void AlarmLockGate::cameBack() {
  if (m_backgroundSince < 0) return;
  const double away = double(foundation::scheduler().monotonicMs() - m_backgroundSince) / 1000.0;
  m_backgroundSince = -1;
  if (backend::AlarmLock().asksAfter(away)) ask();
}

void AlarmLockGate::ask() {
  if (m_prompt || !m_window) return;
  const QPointer<AlarmLockGate> self(this);
  m_prompt = CodePrompt::ask(m_window, foundation::localized("kLockOpenTitle"), [self](bool granted) {
    if (!self) return;
    self->m_prompt = nullptr;
    // Refused only when the window went: there is nothing left to open then.
    if (granted) emit self->opened();
  }, false);
}

}  // namespace controls
