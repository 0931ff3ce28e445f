#pragma once
// The alarm code's questions, each on a code pad over the window's application area:
//
//   ask     the code of the signed-in account, before lowering the alarm (or to open the app);
//           done(true) at once when no code is set. Wrong codes say how many tries are left, and
//           the pad counts a wait down once they are used up. "Code oublié ?" asks the account's
//           password; once it is proven, a new code is chosen and the question is granted.
//   choose  a new code, typed twice (they must match); done(true) once its digest is stored.
//   change  ask, then choose.      remove  ask, then the code is removed.
//
// A prompt goes away by itself once done has run (exactly once; with false when cancelled or when
// its window goes). Settings and the alarm's controls use these; nothing else shows the pad.
#include "backend/AlarmLock.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace ui {
class PopupWindow;
class Window;
}  // namespace ui

namespace controls {

class CodePad;
class TextField;
class TextFieldDelegate;

class CodePrompt : public QObject {
  Q_OBJECT
 public:
  using Done = std::function<void(bool)>;

  // `window` null: the current window. `cancellable` false: no way out but the code or the
  // account's password (the question that opens the app). Null when no prompt was needed (no
  // code to ask: done already ran) or no window exists (done(false) already ran).
  static CodePrompt* ask(ui::Window* window, const QString& title, Done done, bool cancellable = true);
  static CodePrompt* choose(ui::Window* window, Done done);
  static CodePrompt* change(ui::Window* window, Done done);
  static CodePrompt* remove(ui::Window* window, Done done);

  ~CodePrompt() override;

  CodePad* pad() const { return m_pad; }
  // The password page of the forgotten code (null until it shows).
  TextField* passwordField() const { return m_password; }
  backend::AlarmLock& lock() { return m_lock; }
  // Gives up as if cancelled.
  void cancel() { finish(false); }

 private:
  enum class Step { Ask, ChooseFirst, ChooseAgain, Password };
  enum class After { Grant, Choose, Remove };

  CodePrompt(ui::Window* window, Done done);
  void show();
  void enter(Step step);
  void submitted(const QString& code);
  void checked(backend::AlarmLock::Verdict verdict);
  void showPasswordPage();
  void submitPassword();
  void finish(bool result);

  backend::AlarmLock m_lock;
  Done m_done;
  QPointer<ui::Window> m_window;
  QPointer<ui::PopupWindow> m_popup;
  std::unique_ptr<QObject> m_screen;
  CodePad* m_pad = nullptr;
  QWidget* m_passwordPage = nullptr;
  TextField* m_password = nullptr;
  std::unique_ptr<TextFieldDelegate> m_passwordReturn;
  Step m_step = Step::Ask;
  After m_after = After::Grant;
  bool m_cancellable = true;
  QString m_title;
  QString m_first;
};

}  // namespace controls
