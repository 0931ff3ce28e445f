#pragma once
// A modal alert with a title, a message and a button (or a few: the cancel button first, at
// index 0, on the left), drawn inside the phone window (never a native dialog). Several may be shown at once: they stack, the newest on top, and each press of
// the top alert's button uncovers the one below. A press tells the delegate (and the handler, if
// one is set) which button was pressed, then the alert goes away and deletes itself.
//
// Typical use: (new ui::AlertView(title, message, delegate, buttonTitle))->show();
#include <QObject>
#include <QPointer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QWidget;

namespace ui {

class AlertView;
class Button;
class Label;
class Window;

class AlertViewDelegate {
 public:
  virtual ~AlertViewDelegate() = default;
  virtual void alertViewClickedButtonAtIndex(AlertView* alertView, int buttonIndex) = 0;
};

class AlertView : public QObject {
  Q_OBJECT
 public:
  AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
            const QString& cancelButtonTitle, QObject* parent = nullptr);
  ~AlertView() override;

  QString title() const { return m_title; }
  QString message() const { return m_message; }
  QString cancelButtonTitle() const { return m_buttonTitle; }
  int numberOfButtons() const { return 1 + int(m_otherButtonTitles.size()); }
  int cancelButtonIndex() const { return 0; }
  // A button after the cancel button (two share a row; more go one per row); returns its index.
  // Only before show().
  int addButtonWithTitle(const QString& title);
  QString buttonTitleAtIndex(int index) const;

  void setDelegate(AlertViewDelegate* delegate) { m_delegate = delegate; }
  AlertViewDelegate* delegate() const { return m_delegate; }
  // Called after the delegate, with the same arguments.
  void setButtonHandler(std::function<void(AlertView*, int)> handler) { m_handler = std::move(handler); }

  // Shows the alert in `window` (the current window when null) on top of the alerts already
  // there. From then on the window owns it until it is dismissed. Without any window the alert
  // cannot show: a warning is logged and nothing else happens.
  void show(Window* window = nullptr);
  // Shown and not yet dismissed.
  bool isVisible() const { return m_shown && !m_dismissed; }

  // What the user's press does: the delegate and handler hear the index, then the alert goes.
  void clickButtonAtIndex(int index);
  // Goes away without telling the delegate.
  void dismissWithClickedButtonIndex(int index, bool animated);

  // The drawn alert and its parts (nullptr before show).
  QWidget* panel() const { return m_panel; }
  Button* button() const { return m_button; }  // the cancel button
  Button* buttonAtIndex(int index) const;
  Label* titleLabel() const { return m_titleLabel; }
  Label* messageLabel() const { return m_messageLabel; }

 signals:
  void dismissed(ui::AlertView* alertView, int buttonIndex);

 private:
  void buildPanel(QWidget* layer);

  QString m_title;
  QString m_message;
  QString m_buttonTitle;
  QStringList m_otherButtonTitles;
  QList<Button*> m_otherButtons;
  AlertViewDelegate* m_delegate = nullptr;
  std::function<void(AlertView*, int)> m_handler;
  QPointer<QWidget> m_panel;
  Button* m_button = nullptr;
  Label* m_titleLabel = nullptr;
  Label* m_messageLabel = nullptr;
  bool m_shown = false;
  bool m_dismissed = false;
};

}  // namespace ui
