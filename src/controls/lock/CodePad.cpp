#include "controls/lock/CodePad.h"

#include "foundation/Strings.h"
#include "ui/Accessibility.h"
#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/Fonts.h"
#include "ui/KeyboardNavigation.h"
#include "ui/Label.h"
#include "ui/Theme.h"
#include "ui/Views.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace controls {

namespace {

const QColor kTextColor(0x1d, 0x28, 0x3a);
const QColor kAdviceColor(0x5b, 0x64, 0x73);
const QColor kErrorColor(0xc6, 0x28, 0x28);
constexpr int kKey = 64;
constexpr int kKeysTop = 140;
constexpr int kRowStep = 72;
}  // namespace

// One round key: a digit, erase (drawn as a key-cap arrow) or OK (filled with the theme colour).
class CodePadKey : public ui::Control {
 public:
  enum class Kind { Digit, Erase, Ok };

  CodePadKey(Kind kind, const QString& label, const QString& name, const QString& colorId, const QRect& frame, QWidget* parent)
      : ui::Control(frame, parent), m_kind(kind), m_label(label), m_name(name), m_color(ui::themeColor(colorId)) {
    ui::setThemeColorId(this, colorId);
  }

  QString accessibleText() const override { return m_name; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) p.setOpacity(0.35);
    const QRectF circle = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool filled = isHighlighted() || m_kind == Kind::Ok;
    QColor fill = filled ? m_color : QColor(Qt::white);
    if (m_kind == Kind::Ok && isHighlighted()) fill = m_color.darker(120);
    p.setPen(QPen(m_color, 1.5));
    p.setBrush(fill);
    p.drawEllipse(circle);
    const QColor ink = filled ? QColor(Qt::white) : kTextColor;
    if (m_kind == Kind::Erase) {
      // A key cap pointing left with a cross in it.
      const QPointF c = circle.center();
      QPainterPath cap;
      cap.moveTo(c.x() - 14, c.y());
      cap.lineTo(c.x() - 6, c.y() - 9);
      cap.lineTo(c.x() + 13, c.y() - 9);
      cap.lineTo(c.x() + 13, c.y() + 9);
      cap.lineTo(c.x() - 6, c.y() + 9);
      cap.closeSubpath();
      p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPath(cap);
      p.drawLine(QPointF(c.x() - 1, c.y() - 4), QPointF(c.x() + 7, c.y() + 4));
      p.drawLine(QPointF(c.x() - 1, c.y() + 4), QPointF(c.x() + 7, c.y() - 4));
      return;
    }
    p.setPen(ink);
    p.setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), m_kind == Kind::Ok ? 18 : 26));
    p.drawText(rect(), Qt::AlignCenter, m_label);
  }

 private:
  Kind m_kind;
  QString m_label;
  QString m_name;
  QColor m_color;
};

// The digits typed, as dots: one filled per digit, hollow ones up to the shortest length.
class CodeDots : public QWidget, public ui::AccessibleElement {
 public:
  CodeDots(const QString& colorId, const QRect& frame, QWidget* parent) : QWidget(parent), m_color(ui::themeColor(colorId)) {
    setGeometry(frame);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

  void show(int typed, int shortest) {
    m_typed = typed;
    m_shown = std::max(typed, shortest);
    update();
    ui::notifyAccessibleStateChanged(this);
  }

  QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }
  QString accessibleText() const override { return foundation::localized("kLockDotsName"); }
  QString accessibleValue() const override { return foundation::localized("kLockDotsValue").arg(m_typed); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    constexpr double kDot = 14, kGap = 14;
    const double width = m_shown * kDot + (m_shown - 1) * kGap;
    double x = (this->width() - width) / 2;
    for (int i = 0; i < m_shown; ++i, x += kDot + kGap) {
      p.setPen(QPen(m_color, 1.5));
      p.setBrush(i < m_typed ? QBrush(m_color) : QBrush(Qt::NoBrush));
      p.drawEllipse(QRectF(x, (height() - kDot) / 2, kDot, kDot));
    }
  }

 private:
  QColor m_color;
  int m_typed = 0;
  int m_shown = 4;
};

namespace {
ui::Button* textButton(const QRect& frame, const QString& colorId, QWidget* parent) {
  auto* button = new ui::Button(frame, parent);
  button->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 14));
  button->setTitleColor(ui::themeColor(colorId).darker(115));
  button->setTitleColor(kTextColor, ui::Control::Highlighted);
  button->hide();
  return button;
}
}  // namespace

CodePad::CodePad(const QString& colorId, QWidget* parent) : QWidget(parent), m_colorId(ui::normalizedColorId(colorId)) {
  resize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  // It takes the keyboard to hear the digits typed; the ring belongs around the keys.
  ui::setDrawsFocusRing(this, false);
  ui::setThemeColorId(this, m_colorId);
  ui::setBackgroundColor(this, ui::rgb(0.922, 0.922, 0.929));
  ui::setAccessibleRole(this, QAccessible::Dialog);

  m_title = new ui::Label(QRect(20, 22, 280, 28), this);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 19));
  m_title->setTextColor(kTextColor);
  m_title->setTextAlignment(Qt::AlignHCenter);
  m_message = new ui::Label(QRect(20, 52, 280, 40), this);
  m_message->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 13));
  m_message->setNumberOfLines(2);
  m_message->setTextAlignment(Qt::AlignHCenter);
  setMessage(QString());
  m_dots = new CodeDots(m_colorId, QRect(20, 98, 280, 24), this);

  using foundation::localized;
  const int left = (kWidth - 3 * kKey - 2 * 28) / 2;
  auto frameAt = [left](int row, int column) { return QRect(left + column * (kKey + 28), kKeysTop + row * kRowStep, kKey, kKey); };
  for (int digit = 0; digit <= 9; ++digit) {
    const QRect frame = digit == 0 ? frameAt(3, 1) : frameAt((digit - 1) / 3, (digit - 1) % 3);
    m_digits[digit] = new CodePadKey(CodePadKey::Kind::Digit, QString::number(digit), QString::number(digit), m_colorId, frame, this);
    connect(m_digits[digit], &ui::Control::touchUpInside, this, [this, digit] { typeDigit(digit); });
  }
  m_erase = new CodePadKey(CodePadKey::Kind::Erase, QString(), localized("kLockErase"), m_colorId, frameAt(3, 0), this);
  connect(m_erase, &ui::Control::touchUpInside, this, &CodePad::erase);
  m_ok = new CodePadKey(CodePadKey::Kind::Ok, localized("kLockOk"), localized("kLockOkName"), m_colorId, frameAt(3, 2), this);
  connect(m_ok, &ui::Control::touchUpInside, this, &CodePad::submit);

  m_cancel = textButton(QRect(10, 424, 140, 30), m_colorId, this);
  connect(m_cancel, &ui::Control::touchUpInside, this, &CodePad::cancelled);
  m_forgotten = textButton(QRect(170, 424, 140, 30), m_colorId, this);
  connect(m_forgotten, &ui::Control::touchUpInside, this, &CodePad::forgotten);
  updateKeys();
}

CodePad::~CodePad() = default;

void CodePad::setTitle(const QString& title) {
  m_title->setText(title);
  setAccessibleName(title);  // what a screen reader calls the pad as it opens
}
QString CodePad::title() const { return m_title->text(); }

void CodePad::setMessage(const QString& message, bool error) {
  m_message->setTextColor(error ? kErrorColor : kAdviceColor);
  m_message->setText(message);
  ui::notifyAccessibleStateChanged(m_message);
}

QString CodePad::message() const { return m_message->text(); }

void CodePad::setLengths(int shortest, int longest) {
  m_shortest = shortest;
  m_longest = std::max(shortest, longest);
  updateKeys();
}

void CodePad::clear() {
  m_code.clear();
  updateKeys();
}

void CodePad::setCancelTitle(const QString& title) {
  m_cancel->setTitle(title);
  m_cancel->setVisible(!title.isEmpty());
}

void CodePad::setForgottenTitle(const QString& title) {
  m_forgotten->setTitle(title);
  m_forgotten->setVisible(!title.isEmpty());
}

void CodePad::setBusy(bool busy) {
  m_busy = busy;
  updateKeys();
}

void CodePad::showWait(double seconds, const QString& format) {
  m_waitLeft = int(std::ceil(seconds));
  m_waitFormat = format;
  m_code.clear();
  if (m_waitLeft <= 0) {
    m_waitTimer.invalidate();
    updateKeys();
    return;
  }
  tick();
  m_waitTimer.start(1.0, true, [this](foundation::Timer&) {
    --m_waitLeft;
    tick();
  });
}

void CodePad::tick() {
  if (m_waitLeft <= 0) {
    m_waitTimer.invalidate();
    setMessage(QString());
    updateKeys();
    emit waitEnded();
    return;
  }
  setMessage(m_waitFormat.arg(QStringLiteral("%1:%2").arg(m_waitLeft / 60).arg(m_waitLeft % 60, 2, 10, QLatin1Char('0'))), true);
  updateKeys();
}

void CodePad::typeDigit(int digit) {
  if (m_busy || isWaiting() || digit < 0 || digit > 9 || m_code.size() >= m_longest) return;
  m_code += QChar(QLatin1Char('0' + digit));
  updateKeys();
}

void CodePad::erase() {
  if (m_busy || isWaiting() || m_code.isEmpty()) return;
  m_code.chop(1);
  updateKeys();
}

void CodePad::submit() {
  if (m_busy || isWaiting() || m_code.size() < m_shortest) return;
  emit submitted(m_code);
}

void CodePad::updateKeys() {
  const bool open = !m_busy && !isWaiting();
  for (ui::Control* key : m_digits) key->setEnabled(open && m_code.size() < m_longest);
  m_erase->setEnabled(open && !m_code.isEmpty());
  m_ok->setEnabled(open && m_code.size() >= m_shortest);
  m_dots->show(int(m_code.size()), m_shortest);
}

void CodePad::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    typeDigit(key - Qt::Key_0);
  } else if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
    erase();
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    submit();
  } else if (key == Qt::Key_Escape) {
    // Without a cancel, Escape must not reach the window either (it would go back a screen).
    if (m_cancel->isVisible()) emit cancelled();
  } else {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
}

}  // namespace controls
