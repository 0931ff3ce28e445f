#include "controls/TextField.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace controls {
namespace {

// A grey disc with a white cross, as phones draw it, at the screen's pixel density.
QIcon clearButtonIcon() {
  constexpr int kSide = 16;
  const qreal ratio = std::max<qreal>(1.0, qApp ? qApp->devicePixelRatio() : 1.0);
  QPixmap picture(QSize(kSide, kSide) * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x9a, 0xa5, 0xb4));
  painter.drawEllipse(QRectF(1, 1, kSide - 2, kSide - 2));
  painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
  painter.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
  return QIcon(picture);
}

}  // namespace

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
  m_offersClearButton = m_clearButtonMode == ClearButtonMode::Always ||
                        (m_clearButtonMode == ClearButtonMode::WhileEditing && hasFocus());
  if (m_offersClearButton && !m_clearAction) {
    // Our own button rather than the style's: the style's picture is a file read through the
    // image plugins, which costs the login screen milliseconds at start.
    m_clearAction = new QAction(clearButtonIcon(), foundation::localized("A11Y_CLEAR_TEXT"), this);
    addAction(m_clearAction, QLineEdit::TrailingPosition);
    connect(m_clearAction, &QAction::triggered, this, [this] {
      if (text().isEmpty()) return;
      clear();
      emit textEdited(QString());
    });
    connect(this, &QLineEdit::textChanged, this, [this] { updateClearButton(); });
  }
  if (m_clearAction) m_clearAction->setVisible(m_offersClearButton && !text().isEmpty());
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
