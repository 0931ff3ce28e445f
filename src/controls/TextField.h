#pragma once
// A one-line text field as the screens describe it: a delegate asked what the return key does, the
// kind of return key the keyboard shows, a clear button while editing, a placeholder, and
// "first responder" meaning the field that has the keyboard.
#include <QLineEdit>

class QAction;

namespace controls {

class TextField;

class TextFieldDelegate {
 public:
  virtual ~TextFieldDelegate() = default;
  // The return key was pressed in `field`; true lets the field process it as usual.
  virtual bool textFieldShouldReturn(TextField* field) = 0;
};

class TextField : public QLineEdit {
  Q_OBJECT
 public:
  enum class ReturnKeyType { Default, Next, Join, Go, Done };
  enum class ClearButtonMode { Never, WhileEditing, Always };

  TextField(const QRect& frame, QWidget* parent);

  void setDelegate(TextFieldDelegate* delegate) { m_delegate = delegate; }
  TextFieldDelegate* delegate() const { return m_delegate; }

  // What the keyboard's return key reads (input methods hear it as the enter key type).
  void setReturnKeyType(ReturnKeyType type);
  ReturnKeyType returnKeyType() const { return m_returnKeyType; }

  void setClearButtonMode(ClearButtonMode mode);
  ClearButtonMode clearButtonMode() const { return m_clearButtonMode; }
  // Whether the mode offers the clear button now; it is drawn while there is text to clear.
  bool offersClearButton() const { return m_offersClearButton; }
  // Whether the text is emptied when the field takes the keyboard (off by default).
  void setClearsOnBeginEditing(bool clears) { m_clearsOnBeginEditing = clears; }
  bool clearsOnBeginEditing() const { return m_clearsOnBeginEditing; }

  void setSecureTextEntry(bool secure) { setEchoMode(secure ? QLineEdit::Password : QLineEdit::Normal); }
  bool isSecureTextEntry() const { return echoMode() == QLineEdit::Password; }

  void becomeFirstResponder();
  void resignFirstResponder();
  // Whether this field would get the keys typed into its window.
  bool isFirstResponder() const;

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void updateClearButton();

  TextFieldDelegate* m_delegate = nullptr;
  ReturnKeyType m_returnKeyType = ReturnKeyType::Default;
  ClearButtonMode m_clearButtonMode = ClearButtonMode::Never;
  bool m_offersClearButton = false;
  QAction* m_clearAction = nullptr;
  bool m_clearsOnBeginEditing = false;
};

}  // namespace controls
