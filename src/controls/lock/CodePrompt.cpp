#include "controls/lock/CodePrompt.h"

#include "controls/TextField.h"
#include "controls/lock/CodePad.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/PopupWindow.h"
#include "ui/Screen.h"
#include "ui/Theme.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <cmath>

namespace controls {

using foundation::localized;
using Verdict = backend::AlarmLock::Verdict;

namespace {

const QString kColorId = QStringLiteral("orange1");
const QColor kTextColor(0x1d, 0x28, 0x3a);

// The popup's screen: shows the view it is given.
class PromptScreen : public ui::Screen {
 public:
  explicit PromptScreen(QWidget* content) : m_content(content) {}

 protected:
  void loadView() override { setView(m_content); }

 private:
  QWidget* m_content;
};

class ReturnSubmits : public TextFieldDelegate {
 public:
  explicit ReturnSubmits(std::function<void()> submit) : m_submit(std::move(submit)) {}
  bool textFieldShouldReturn(TextField*) override {
    m_submit();
    return false;
  }

 private:
  std::function<void()> m_submit;
};

QString waitFormat() { return localized("kLockWait"); }

}  // namespace

CodePrompt::CodePrompt(ui::Window* window, Done done) : QObject(window), m_done(std::move(done)), m_window(window) {}

CodePrompt::~CodePrompt() {
  delete m_popup.data();
  m_screen.reset();
  // A prompt that goes without an answer (its window went) refuses.
  if (m_done) std::exchange(m_done, nullptr)(false);
}

CodePrompt* CodePrompt::ask(ui::Window* window, const QString& title, Done done, bool cancellable) {
  if (!window) window = ui::Window::current();
  if (!backend::AlarmLock().hasCode() || !window) {
    // Nothing to ask is a yes; a code with no window to ask it in is a no.
    if (done) done(!backend::AlarmLock().hasCode());
    return nullptr;
  }
  auto* prompt = new CodePrompt(window, std::move(done));
  prompt->m_cancellable = cancellable;
  prompt->m_title = title;
  prompt->show();
  prompt->enter(Step::Ask);
  return prompt;
}

CodePrompt* CodePrompt::choose(ui::Window* window, Done done) {
  if (!window) window = ui::Window::current();
  if (!window) {
    if (done) done(false);
    return nullptr;
  }
  auto* prompt = new CodePrompt(window, std::move(done));
  prompt->show();
  prompt->enter(Step::ChooseFirst);
  return prompt;
}

CodePrompt* CodePrompt::change(ui::Window* window, Done done) {
  CodePrompt* prompt = ask(window, localized("kLockChangeTitle"), std::move(done));
  if (prompt) prompt->m_after = After::Choose;
  return prompt;
}

CodePrompt* CodePrompt::remove(ui::Window* window, Done done) {
  CodePrompt* prompt = ask(window, localized("kLockRemoveTitle"), std::move(done));
  if (prompt) prompt->m_after = After::Remove;
  return prompt;
}

void CodePrompt::show() {
  auto* content = new QWidget();
  content->resize(CodePad::kWidth, CodePad::kHeight);
  m_pad = new CodePad(kColorId, content);
  m_pad->setLengths(backend::AlarmLock::kMinDigits, backend::AlarmLock::kMaxDigits);
  connect(m_pad, &CodePad::submitted, this, &CodePrompt::submitted);
  connect(m_pad, &CodePad::cancelled, this, [this] {
    if (m_step == Step::ChooseAgain)
      enter(Step::ChooseFirst);
    else
      finish(false);
  });
  connect(m_pad, &CodePad::forgotten, this, &CodePrompt::showPasswordPage);
  connect(m_pad, &CodePad::waitEnded, this, [this] { m_pad->setMessage(localized("kLockAskAdvice")); });

  auto screen = std::make_unique<PromptScreen>(content);
  m_popup = new ui::PopupWindow(m_window, ui::WindowLevel::Alert);
  m_popup->setObjectName(QStringLiteral("codePrompt"));
  m_popup->setRootViewController(screen.get());
  m_screen = std::move(screen);
  m_popup->makeKeyAndVisible();
  m_pad->setFocus();
}

void CodePrompt::enter(Step step) {
  m_step = step;
  m_pad->clear();
  m_pad->setBusy(false);
  if (m_passwordPage) m_passwordPage->hide();
  m_pad->show();
  m_pad->setFocus();
  const bool asking = step == Step::Ask;
  m_pad->setForgottenTitle(asking ? localized("kLockForgotten") : QString());
  m_pad->setCancelTitle(m_cancellable || !asking ? localized("kLockCancel") : QString());
  if (step == Step::ChooseAgain) m_pad->setCancelTitle(localized("kLockBack"));
  if (asking) {
    m_pad->setTitle(m_title.isEmpty() ? localized("kLockAskTitle") : m_title);
    m_pad->setMessage(localized("kLockAskAdvice"));
    if (const double wait = m_lock.waitRemaining(); wait > 0) m_pad->showWait(wait, waitFormat());
  } else {
    m_pad->setTitle(localized(step == Step::ChooseFirst ? "kLockChooseTitle" : "kLockConfirmTitle"));
    m_pad->setMessage(step == Step::ChooseFirst ? localized("kLockChooseAdvice") : localized("kLockConfirmAdvice"));
  }
}

void CodePrompt::submitted(const QString& code) {
  switch (m_step) {
    case Step::Ask:
      m_pad->setBusy(true);
      m_pad->setMessage(localized("kLockChecking"));
      m_lock.verify(code, [this](Verdict verdict) { checked(verdict); });
      return;
    case Step::ChooseFirst:
      m_first = code;
      enter(Step::ChooseAgain);
      return;
    case Step::ChooseAgain:
      if (code != m_first) {
        enter(Step::ChooseFirst);
        m_pad->setMessage(localized("kLockMismatch"), true);
        return;
      }
      m_pad->setBusy(true);
      m_pad->setMessage(localized("kLockSaving"));
      m_lock.setCode(code, [this](bool stored) {
        if (stored) {
          finish(true);
          return;
        }
        enter(Step::ChooseFirst);
        m_pad->setMessage(localized("kLockChooseAdvice"), true);
      });
      return;
    case Step::Password:
      return;
  }
}

void CodePrompt::checked(Verdict verdict) {
  m_pad->setBusy(false);
  m_pad->clear();
  switch (verdict) {
    case Verdict::Right:
    case Verdict::NoCode:
      if (m_after == After::Choose) {
        enter(Step::ChooseFirst);
      } else {
        if (m_after == After::Remove) m_lock.removeCode();
        finish(true);
      }
      return;
    case Verdict::Busy:
      return;
    case Verdict::Wrong:
    case Verdict::LockedOut:
      if (const double wait = m_lock.waitRemaining(); wait > 0)
        m_pad->showWait(wait, waitFormat());
      else
        m_pad->setMessage(localized("kLockWrong").arg(m_lock.triesBeforeWait()), true);
      return;
  }
}

void CodePrompt::showPasswordPage() {
  m_step = Step::Password;
  if (!m_passwordPage) {
    m_passwordPage = new QWidget(m_pad->parentWidget());
    m_passwordPage->setGeometry(m_pad->geometry());
    ui::setBackgroundColor(m_passwordPage, ui::rgb(0.922, 0.922, 0.929));
    auto label = [this](const QRect& frame, const char* font, double size) {
      auto* l = new ui::Label(frame, m_passwordPage);
      l->setFont(ui::Fonts::font(QString::fromLatin1(font), size));
      l->setTextColor(kTextColor);
      l->setTextAlignment(Qt::AlignHCenter);
      return l;
    };
    label(QRect(20, 22, 280, 28), "Valdo-Bold", 19)->setText(localized("kLockForgottenTitle"));
    ui::Label* advice = label(QRect(20, 56, 280, 60), "Valdo-Regular", 13);
    advice->setNumberOfLines(3);
    advice->setText(localized("kLockForgottenAdvice").arg(m_lock.login()));
    m_password = new TextField(QRect(30, 130, 260, 36), m_passwordPage);
    m_password->setSecureTextEntry(true);
    m_password->setReturnKeyType(TextField::ReturnKeyType::Go);
    m_password->setAccessibleName(localized("kLockPasswordName"));
    m_passwordReturn = std::make_unique<ReturnSubmits>([this] { submitPassword(); });
    m_password->setDelegate(m_passwordReturn.get());
    ui::Label* status = label(QRect(20, 172, 280, 36), "Valdo-Regular", 13);
    status->setObjectName(QStringLiteral("passwordStatus"));
    status->setNumberOfLines(2);
    status->setTextColor(QColor(0xc6, 0x28, 0x28));
    auto button = [this](const QRect& frame, const QString& title, bool strong) {
      auto* b = new ui::Button(frame, m_passwordPage);
      b->setTitle(title);
      b->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 15));
      b->setTitleColor(strong ? QColor(Qt::white) : ui::themeColor(kColorId).darker(115));
      if (strong) ui::setBackgroundColor(b, ui::themeColor(kColorId));
      return b;
    };
    connect(button(QRect(30, 216, 260, 40), localized("kLockOkName"), true), &ui::Control::touchUpInside, this,
            &CodePrompt::submitPassword);
    connect(button(QRect(30, 264, 260, 32), localized("kLockBack"), false), &ui::Control::touchUpInside, this,
            [this] { enter(Step::Ask); });
  }
  m_password->clear();
  if (auto* status = m_passwordPage->findChild<ui::Label*>(QStringLiteral("passwordStatus"))) status->clear();
  m_pad->hide();
  m_passwordPage->show();
  m_passwordPage->raise();
  m_password->becomeFirstResponder();
}

void CodePrompt::submitPassword() {
  if (m_step != Step::Password || !m_password->isEnabled()) return;
  m_password->setEnabled(false);
  m_lock.proveWithPassword(m_password->text(), [this](Verdict verdict) {
    m_password->setEnabled(true);
    m_password->clear();
    if (verdict == Verdict::Right) {
      // The old code is gone: what follows is a new one, and the question is answered.
      m_after = After::Grant;
      enter(Step::ChooseFirst);
      return;
    }
    if (auto* status = m_passwordPage->findChild<ui::Label*>(QStringLiteral("passwordStatus"))) {
      const int wait = int(std::ceil(m_lock.waitRemaining()));
      status->setText(wait > 0 ? waitFormat().arg(QStringLiteral("%1:%2").arg(wait / 60).arg(wait % 60, 2, 10, QLatin1Char('0')))
                               : localized("kLockPasswordRefused"));
    }
    m_password->becomeFirstResponder();
  });
}

void CodePrompt::finish(bool result) {
  Done done = std::exchange(m_done, nullptr);
  if (m_popup) m_popup->hide();
  deleteLater();
  if (done) done(result);
}

}  // namespace controls
