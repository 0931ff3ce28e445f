#pragma once
// A pad to type a numeric code, in the app's look: a title, a line of advice, the digits typed so
// far as dots (never the digits), the keys 1–9 and 0, erase and OK, and below them "cancel" and
// "forgotten code" (each can be left out). While a wait runs after too many wrong codes, the keys
// are off and the advice counts the seconds left down.
//
// The keyboard works as the keys do: digits, Backspace, Enter or Return (OK), Escape (cancel).
// Every key says what it is to screen readers ("1", "Effacer", "Valider"), and the dots say how
// many digits are typed. The pad only collects the code: what it means is up to its owner.
#include "foundation/Timer.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace ui {
class Button;
class Control;
class Label;
}  // namespace ui

namespace controls {

class CodeDots;

class CodePad : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 460;

  CodePad(const QString& colorId, QWidget* parent = nullptr);
  ~CodePad() override;

  void setTitle(const QString& title);
  QString title() const;
  // The line under the title (advice, an error); `error` draws it in red.
  void setMessage(const QString& message, bool error = false);
  QString message() const;

  // Code length accepted by OK (digits beyond the longest are ignored).
  void setLengths(int shortest, int longest);
  QString code() const { return m_code; }
  void clear();

  void setCancelTitle(const QString& title);    // empty: no cancel
  void setForgottenTitle(const QString& title);  // empty: no "forgotten code"

  // Keys off while a code is checked.
  void setBusy(bool busy);
  bool isBusy() const { return m_busy; }
  // Counts `seconds` down in the message (`format`'s %1 is "m:ss") with the keys off; waitEnded()
  // when it reaches 0.
  void showWait(double seconds, const QString& format);
  bool isWaiting() const { return m_waitLeft > 0; }

  // What a key (or the keyboard) does.
  void typeDigit(int digit);
  void erase();
  void submit();

  ui::Control* digitKey(int digit) const { return m_digits[digit]; }
  ui::Control* eraseKey() const { return m_erase; }
  ui::Control* okKey() const { return m_ok; }
  ui::Button* cancelButton() const { return m_cancel; }
  ui::Button* forgottenButton() const { return m_forgotten; }

 signals:
  void submitted(const QString& code);
  void cancelled();
  void forgotten();
  void waitEnded();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void updateKeys();
  void tick();

  QString m_colorId;
  QString m_code;
  int m_shortest = 4;
  int m_longest = 8;
  bool m_busy = false;
  int m_waitLeft = 0;
  QString m_waitFormat;
  foundation::Timer m_waitTimer;
  ui::Label* m_title = nullptr;
  ui::Label* m_message = nullptr;
  CodeDots* m_dots = nullptr;
  ui::Control* m_digits[10] = {};
  ui::Control* m_erase = nullptr;
  ui::Control* m_ok = nullptr;
  ui::Button* m_cancel = nullptr;
  ui::Button* m_forgotten = nullptr;
};

}  // namespace controls
