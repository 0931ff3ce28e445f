#include "ui/NavigationBar.h"

#include "foundation/Strings.h"

#include "ui/BarButtonItem.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/NavigationItem.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace ui {
namespace {
constexpr int kButtonHeight = 30;
constexpr int kMargin = 5;
}

NavigationBar::NavigationBar(QWidget* parent) : QWidget(parent) {
  resize(320, kHeight);
  m_title = new Label(this);
  m_title->setFont(Fonts::font(QStringLiteral("Valdo-Bold"), 19));
  m_title->setTextColor(Qt::white);
  m_title->setTextAlignment(Qt::AlignHCenter);
  m_title->setShadow(QColor(0, 0, 0, 110), QPoint(0, -1));
  m_back = new Button(this);
  m_back->hide();
  connect(m_back, &Control::touchUpInside, this, [this] { emit backRequested(); });
}

void NavigationBar::setBackgroundImageName(const QString& name) {
  m_backgroundName = name;
  update();
}

void NavigationBar::setTintColor(const QColor& color) {
  m_tint = color;
  rebuild();
}

void NavigationBar::setItems(NavigationItem* top, NavigationItem* below) {
  if (m_top) m_top->disconnect(this);
  if (m_below) m_below->disconnect(this);
  m_top = top;
  m_below = below;
  if (top) connect(top, &NavigationItem::changed, this, &NavigationBar::rebuild);
  if (below) connect(below, &NavigationItem::changed, this, &NavigationBar::rebuild);
  rebuild();
}

Button* NavigationBar::backButton() const { return m_back->isVisibleTo(this) ? m_back : nullptr; }
Button* NavigationBar::leftButton() const { return m_left; }
Button* NavigationBar::rightButton() const { return m_right; }

void NavigationBar::styleButton(Button* button, const QString& backgroundName, int leftCap) {
  Image normal = Images::named(backgroundName).stretchable(leftCap, 0);
  Image pressed = Images::named(backgroundName.left(backgroundName.lastIndexOf(QLatin1Char('.'))) +
                                QStringLiteral("_pressed.png"))
                      .stretchable(leftCap, 0);
  if (m_tint.isValid()) {
    normal = normal.tinted(m_tint);
    pressed = pressed.tinted(m_tint.darker(125));
  }
  button->setBackgroundImage(normal);
  if (!pressed.isNull()) button->setBackgroundImage(pressed, Control::Highlighted);
  button->setTitleFont(Fonts::font(QStringLiteral("Valdo-Bold"), 12));
  button->setTitleColor(Qt::white);
  button->setTitleShadowColor(QColor(0, 0, 0, 120), QPoint(0, -1));
}

Button* NavigationBar::makeItemButton(BarButtonItem* item) {
  auto* button = new Button(this);
  const bool done = item->style() == BarButtonItem::Style::Done;
  if (item->style() != BarButtonItem::Style::Plain) {
    styleButton(button, done ? QStringLiteral("ui_nav_button_done.png") : QStringLiteral("ui_nav_button.png"), 6);
  }
  button->setTitle(item->title());
  if (!item->imageName().isEmpty()) button->setImageName(item->imageName());
  button->setEnabled(item->isEnabled());
  connect(button, &Control::touchUpInside, item, [item] { item->trigger(); });
  button->show();
  return button;
}

void NavigationBar::rebuild() {
  // Later: the rebuild may come from a press of one of these very buttons.
  for (Button* old : {m_left, m_right}) {
    if (!old) continue;
    old->hide();
    old->deleteLater();
  }
  m_left = nullptr;
  m_right = nullptr;

  m_title->setText(m_top ? m_top->title() : QString());
  const bool showBack = m_top && m_below && !m_top->hidesBackButton() && !m_top->leftBarButtonItem();
  if (showBack) {
    styleButton(m_back, QStringLiteral("ui_nav_back.png"), 15);
    m_back->setTitle(m_below->backButtonTitle());
    // Read as what it does; the title says where it goes.
    m_back->setAccessibleName(foundation::localized("A11Y_BACK"));
    m_back->setAccessibleDescription(m_below->backButtonTitle());
    m_back->show();
  } else {
    m_back->hide();
  }
  if (m_top && m_top->leftBarButtonItem()) m_left = makeItemButton(m_top->leftBarButtonItem());
  if (m_top && m_top->rightBarButtonItem()) m_right = makeItemButton(m_top->rightBarButtonItem());
  layoutContents();
}

void NavigationBar::layoutContents() {
  const int y = (height() - kButtonHeight) / 2;
  auto widthFor = [](Button* b, int extra) {
    const QFontMetrics metrics(b->titleFont());
    return std::clamp(metrics.horizontalAdvance(b->currentTitle()) + extra, 48, 120);
  };
  int leftEdge = kMargin;
  int rightEdge = width() - kMargin;
  if (m_back->isVisibleTo(this)) {
    const int w = widthFor(m_back, 26);
    m_back->setGeometry(kMargin, y, w, kButtonHeight);
    leftEdge = kMargin + w;
  }
  if (m_left) {
    const int w = widthFor(m_left, 20);
    m_left->setGeometry(kMargin, y, w, kButtonHeight);
    leftEdge = kMargin + w;
  }
  if (m_right) {
    const int w = widthFor(m_right, 20);
    m_right->setGeometry(width() - kMargin - w, y, w, kButtonHeight);
    rightEdge = width() - kMargin - w;
  }
  // The title stays centred on the bar, as wide as the buttons on both sides allow.
  const int side = std::max(leftEdge, width() - rightEdge) + 6;
  m_title->setGeometry(side, 0, std::max(0, width() - 2 * side), height());
}

void NavigationBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutContents();
}

void NavigationBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Image background = Images::named(m_backgroundName);
  if (!background.isNull()) {
    background.draw(painter, rect());
    return;
  }
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, QColor(0x2c, 0x3a, 0x4f));
  gradient.setColorAt(1, QColor(0x16, 0x20, 0x2e));
  painter.fillRect(rect(), gradient);
}

}  // namespace ui
