#include "controls/TextField.h"

#include "ui/Fonts.h"

namespace controls {

TextField::TextField(const QRect& frame, QWidget* parent) : QLineEdit(parent) {
  setGeometry(frame);
  setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 15));
  setAttribute(Qt::WA_MacShowFocusRect, false);
  setStyleSheet(QStringLiteral(
      "QLineEdit { background: #f7f9fb; color: #17212e; border: 1px solid #c9d1dc; border-radius: 8px;"
      " padding: 0 8px; selection-background-color: #1671ad; }"
      "QLineEdit:focus { background: #ffffff; border: 2px solid #1671ad; padding: 0 7px; }"));
  connect(this, &QLineEdit::returnPressed, this, [this] {
    if (m_delegate) m_delegate->textFieldShouldReturn(this);
  });
}

void TextField::setReturnKeyType(ReturnKeyType type) {
  m_returnKeyType = type;
  if (hasFocus()) updateMicroFocus(Qt::ImEnterKeyType);
}

void TextField::setClearButtonMode(ClearButtonMode mode) {
  m_clearButtonMode = mode;
  updateClearButton();
}

void TextField::updateClearButton() {
  const bool shows = m_clearButtonMode == ClearButtonMode::Always ||
                     (m_clearButtonMode == ClearButtonMode::WhileEditing && hasFocus());
  if (isClearButtonEnabled() != shows) setClearButtonEnabled(shows);
}

void TextField::becomeFirstResponder() { setFocus(Qt::OtherFocusReason); }

void TextField::resignFirstResponder() {
  if (isFirstResponder()) clearFocus();
}

bool TextField::isFirstResponder() const { return hasFocus() || (window() && window()->focusWidget() == this); }

QVariant TextField::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnterKeyType) {
    switch (m_returnKeyType) {
      case ReturnKeyType::Default: return Qt::EnterKeyDefault;
      case ReturnKeyType::Next: return Qt::EnterKeyNext;
      case ReturnKeyType::Join: return Qt::EnterKeyGo;  // the closest kind input methods know
      case ReturnKeyType::Go: return Qt::EnterKeyGo;
      case ReturnKeyType::Done: return Qt::EnterKeyDone;
    }
  }
  return QLineEdit::inputMethodQuery(query);
}

void TextField::focusInEvent(QFocusEvent* event) {
  if (m_clearsOnBeginEditing) clear();
  QLineEdit::focusInEvent(event);
  updateClearButton();
}

void TextField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  updateClearButton();
}

}  // namespace controls
