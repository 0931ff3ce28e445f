// The tour's pictures of the alarm code, over the menu: the question with digits typed, the wait
// after too many wrong codes, the forgotten code's password page, and a new code typed twice
// without matching. The code is chosen in the tour's own preferences and removed afterwards.
#include "app/Tour.h"

#include "app/TavroBoxAppAppDelegate.h"
#include "backend/AlarmLock.h"
#include "controls/lock/CodePad.h"
#include "controls/lock/CodePrompt.h"
#include "ui/Button.h"

#include <QPointer>

#include <optional>

namespace app {

namespace {
constexpr int kCheckWaitMs = 10000;
constexpr int kSettleMs = 300;

void typeCode(controls::CodePad* pad, const QString& code) {
  for (const QChar c : code) pad->typeDigit(c.digitValue());
}
}  // namespace

bool Tour::visitAlarmCode() {
  backend::AlarmLock lock;  // the demo account's
  // Fewer iterations than a real code: the tour checks a dozen codes, and this one is thrown away.
  lock.setIterations(1000);
  std::optional<bool> stored;
  lock.setCode(QStringLiteral("2580"), [&](bool ok) { stored = ok; });
  if (!waitFor([&] { return stored.has_value(); }, kCheckWaitMs) || !*stored) {
    m_err << "tour: the alarm code could not be chosen\n";
    return false;
  }
  auto settle = [this] { waitFor([] { return false; }, kSettleMs); };
  bool ok = true;

  QPointer<controls::CodePrompt> prompt = controls::CodePrompt::ask(m_app.window(), QString(), [](bool) {});
  if (!prompt) {
    m_err << "tour: the alarm code was not asked\n";
    lock.removeCode();
    return false;
  }
  controls::CodePad* pad = prompt->pad();
  typeCode(pad, QStringLiteral("258"));
  settle();
  ok &= save(QStringLiteral("alarm-code"));

  for (int i = 0; i < backend::AlarmLock::kFreeTries && !pad->isWaiting(); ++i) {
    pad->clear();
    typeCode(pad, QStringLiteral("1111"));
    pad->submit();
    waitFor([&] { return !pad->isBusy(); }, kCheckWaitMs);
  }
  settle();
  ok &= save(QStringLiteral("alarm-code-wait"));

  pad->forgottenButton()->activate();
  settle();
  ok &= save(QStringLiteral("alarm-code-forgotten"));
  prompt->cancel();
  waitFor([&] { return prompt.isNull(); }, kCheckWaitMs);

  prompt = controls::CodePrompt::choose(m_app.window(), [](bool) {});
  if (prompt) {
    typeCode(prompt->pad(), QStringLiteral("1234"));
    prompt->pad()->submit();
    typeCode(prompt->pad(), QStringLiteral("1243"));
    prompt->pad()->submit();
    settle();
    ok &= save(QStringLiteral("alarm-code-mismatch"));
    prompt->cancel();
    waitFor([&] { return prompt.isNull(); }, kCheckWaitMs);
  }
  lock.removeCode();
  return ok;
}

}  // namespace app
