#include "ui/AlertView.h"

#include "ui/Accessibility.h"

#include "ui/AlertLayer.h"
#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/UiLogging.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace ui {
namespace {

constexpr int kWidth = 284;
constexpr int kPadding = 16;
constexpr int kButtonHeight = 43;
constexpr int kButtonGap = 8;

// The alert's card, drawn from its stretchable picture.
class AlertPanel final : public QWidget {
 public:
  explicit AlertPanel(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("alertPanel")); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Image background = Images::named(QStringLiteral("ui_alert_panel.png")).withCapInsets(QMargins(24, 24, 24, 24));
    if (!background.isNull()) {
      background.draw(painter, rect());
      return;
    }
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    painter.setBrush(QColor(0x1d, 0x28, 0x38, 240));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
  }
};

int textHeight(const QFont& font, const QString& text, int width) {
  if (text.isEmpty()) return 0;
  const QFontMetrics metrics(font);
  return metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap | Qt::AlignHCenter, text).height();
}

}  // namespace

AlertView::AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
                     const QString& cancelButtonTitle, QObject* parent)
    : QObject(parent), m_title(title), m_message(message), m_buttonTitle(cancelButtonTitle), m_delegate(delegate) {}

int AlertView::addButtonWithTitle(const QString& title) {
  if (m_shown) return -1;
  m_otherButtonTitles << title;
  return numberOfButtons() - 1;
}

QString AlertView::buttonTitleAtIndex(int index) const {
  if (index == 0) return m_buttonTitle;
  return m_otherButtonTitles.value(index - 1);
}

Button* AlertView::buttonAtIndex(int index) const {
  if (index == 0) return m_button;
  return m_otherButtons.value(index - 1, nullptr);
}

AlertView::~AlertView() {
  if (auto* layer = qobject_cast<detail::AlertLayer*>(parent())) layer->remove(this);
  delete m_panel.data();
}

void AlertView::buildPanel(QWidget* layer) {
  auto* panel = new AlertPanel(layer);
  m_panel = panel;
  setAccessibleRole(panel, QAccessible::AlertMessage);
  panel->setAccessibleName(m_title.isEmpty() ? m_message : m_title);
  panel->setAccessibleDescription(m_message);
  const int inner = kWidth - 2 * kPadding;
  int y = kPadding + 2;

  m_titleLabel = new Label(panel);
  m_titleLabel->setFont(Fonts::font(QStringLiteral("Valdo-Bold"), 17));
  m_titleLabel->setTextColor(Qt::white);
  m_titleLabel->setTextAlignment(Qt::AlignHCenter);
  m_titleLabel->setNumberOfLines(0);
  m_titleLabel->setShadow(QColor(0, 0, 0, 120), QPoint(0, -1));
  m_titleLabel->setText(m_title);
  const int titleHeight = textHeight(m_titleLabel->font(), m_title, inner);
  m_titleLabel->setGeometry(kPadding, y, inner, titleHeight);
  m_titleLabel->setVisible(titleHeight > 0);
  if (titleHeight > 0) y += titleHeight + 8;

  m_messageLabel = new Label(panel);
  m_messageLabel->setFont(Fonts::font(QStringLiteral("Valdo-Regular"), 15));
  m_messageLabel->setTextColor(QColor(0xe6, 0xeb, 0xf2));
  m_messageLabel->setTextAlignment(Qt::AlignHCenter);
  m_messageLabel->setNumberOfLines(0);
  m_messageLabel->setText(m_message);
  // Long messages are cut rather than pushing the button off the phone.
  const int messageHeight = std::min(textHeight(m_messageLabel->font(), m_message, inner), 300);
  m_messageLabel->setGeometry(kPadding, y, inner, messageHeight);
  if (messageHeight > 0) y += messageHeight;
  y += 14;

  // The cancel button first (on the left of a pair), then the others.
  const int count = numberOfButtons();
  const int rowWidth = kWidth - 24;
  const int pairWidth = (rowWidth - kButtonGap) / 2;
  for (int index = 0; index < count; ++index) {
    QRect frame(12, y, rowWidth, kButtonHeight);
    if (count == 2) frame = QRect(12 + index * (pairWidth + kButtonGap), y, pairWidth, kButtonHeight);
    auto* button = new Button(frame, panel);
    button->setBackgroundImage(Images::named(QStringLiteral("ui_alert_button.png")).withCapInsets(QMargins(12, 12, 12, 12)));
    button->setBackgroundImage(
        Images::named(QStringLiteral("ui_alert_button_pressed.png")).withCapInsets(QMargins(12, 12, 12, 12)),
        Control::Highlighted);
    button->setTitle(buttonTitleAtIndex(index));
    button->setTitleFont(Fonts::font(QStringLiteral("Valdo-Bold"), count == 2 ? 16 : 17));
    button->setTitleColor(Qt::white);
    button->setTitleShadowColor(QColor(0, 0, 0, 110), QPoint(0, -1));
    connect(button, &Control::touchUpInside, this, [this, index] { clickButtonAtIndex(index); });
    if (index == 0) m_button = button;
    else m_otherButtons << button;
    if (count != 2 || index == count - 1) y += kButtonHeight + (index == count - 1 ? 12 : 8);
  }
  panel->resize(kWidth, y);
}

void AlertView::show(Window* window) {
  if (m_shown) return;
  if (!window) window = Window::current();
  if (!window) {
    qCWarning(lcUi, "Alert \"%s\" has no window to show in", qPrintable(m_message.left(60)));
    return;
  }
  auto* layer = static_cast<detail::AlertLayer*>(window->alertLayer());
  setParent(layer);
  m_shown = true;
  buildPanel(layer);
  setAlpha(m_panel, 0.0);
  layer->push(this);
  Animation::fadeTo(m_panel, 1.0, 0.2);
}

void AlertView::clickButtonAtIndex(int index) {
  if (!isVisible()) return;
  QPointer<AlertView> self(this);
  if (m_delegate) m_delegate->alertViewClickedButtonAtIndex(this, index);
  if (self && m_handler) m_handler(this, index);
  if (self) dismissWithClickedButtonIndex(index, true);
}

void AlertView::dismissWithClickedButtonIndex(int index, bool animated) {
  if (!isVisible()) return;
  m_dismissed = true;
  if (auto* layer = qobject_cast<detail::AlertLayer*>(parent())) layer->remove(this);
  emit dismissed(this, index);
  QPointer<AlertView> self(this);
  if (!self) return;
  // The panel is no longer the top one; keep it on show while it fades, then let it go.
  if (m_panel) {
    m_panel->show();
    m_panel->raise();
  }
  Animation::fadeTo(m_panel, 0.0, animated ? 0.2 : 0.0, [self](bool) {
    if (self) self->deleteLater();
  });
  if (!m_panel) deleteLater();
}

}  // namespace ui
