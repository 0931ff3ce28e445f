#include "ui/StatusBar.h"

#include "ui/ActivityIndicatorView.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

#include "foundation/Clock.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace ui {

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  resize(320, kHeight);
  m_signal = new ImageView(QStringLiteral("ui_status_signal.png"), this);
  m_carrier = new Label(this);
  m_carrier->setFont(Fonts::font(QStringLiteral("Valdo-Medium"), 12));
  m_carrier->setTextColor(QColor(0xe8, 0xec, 0xf2));
  m_carrier->setText(QStringLiteral("TavroBox"));
  m_activity = new ActivityIndicatorView(ActivityIndicatorView::Style::White, this);
  m_activity->resize(14, 14);
  m_clock = new Label(this);
  m_clock->setFont(Fonts::font(QStringLiteral("Valdo-Bold"), 12));
  m_clock->setTextColor(Qt::white);
  m_clock->setTextAlignment(Qt::AlignHCenter);
  m_battery = new ImageView(QStringLiteral("ui_status_battery.png"), this);
  refreshClock();
  layoutContents();
}

QString StatusBar::clockText() const { return m_clock->text(); }
QString StatusBar::carrierText() const { return m_carrier->text(); }

void StatusBar::setCarrierText(const QString& text) {
  m_carrier->setText(text);
  layoutContents();
}

void StatusBar::setNetworkActivityVisible(bool visible) {
  if (visible == m_networkActivity) return;
  m_networkActivity = visible;
  if (visible) {
    placeActivity();
    m_activity->startAnimating();
  } else {
    m_activity->stopAnimating();
  }
}

void StatusBar::refreshClock() {
  const QDateTime now = foundation::scheduler().localNow();
  m_clock->setText(now.toString(QStringLiteral("HH:mm")));
  // Wake again right after the minute turns.
  const int msIntoMinute = now.time().second() * 1000 + now.time().msec();
  const double wait = (60000 - msIntoMinute) / 1000.0 + 0.05;
  QPointer<StatusBar> self(this);
  m_clockTimer = foundation::Timer::singleShot(wait, [self] {
    if (self) self->refreshClock();
  });
}

void StatusBar::layoutContents() {
  const int h = height();
  m_signal->move(6, (h - m_signal->height()) / 2);
  // The carrier reaches to the clock: its text is measured only when the activity indicator
  // comes beside it, which spares the start its font until the first frame.
  const int carrierLeft = m_signal->geometry().right() + 5;
  m_clock->setGeometry(width() / 2 - 40, 0, 80, h);
  m_carrier->setGeometry(carrierLeft, 0, std::max(0, m_clock->x() - carrierLeft), h);
  m_battery->move(width() - m_battery->width() - 6, (h - m_battery->height()) / 2);
  if (m_networkActivity) placeActivity();
}

void StatusBar::placeActivity() {
  const int carrierWidth = QFontMetrics(m_carrier->font()).horizontalAdvance(m_carrier->text()) + 2;
  m_activity->move(m_carrier->x() + carrierWidth + 5, (height() - m_activity->height()) / 2);
}

void StatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutContents();
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, QColor(0x1b, 0x22, 0x2d));
  gradient.setColorAt(1, QColor(0x0b, 0x0f, 0x15));
  painter.fillRect(rect(), gradient);
  painter.fillRect(QRectF(0, height() - 1, width(), 1), QColor(0, 0, 0, 160));
}

}  // namespace ui
