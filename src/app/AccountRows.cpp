#include "app/AccountRows.h"

#include "controls/RowButton.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace app {

namespace {

constexpr int kWholeRows = 3;
constexpr int kPitch = AccountRows::kRowHeight + AccountRows::kRowGap;
constexpr int kFadeHeight = 16;

// The card's white coming over the lower edge of the rows.
class EdgeFade : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(255, 255, 255, 0));
    gradient.setColorAt(1, QColor(255, 255, 255));
    QPainter(this).fillRect(rect(), gradient);
  }
};

}  // namespace

AccountRows::AccountRows(const QPoint& origin, int width, int capacity, QWidget* parent)
    : ui::ScrollView(QRect(origin, QSize(width, 0)), parent) {
  setObjectName(QStringLiteral("accountScroll"));
  setDelegate(this);
  for (int row = 0; row < capacity; ++row) {
    auto* button = new controls::RowButton(QRect(0, row * kPitch, width, kRowHeight), controls::RowButton::Style::Light, contentView());
    button->setShowsChevron(true);
    button->installEventFilter(this);
    m_rows << button;
    connect(button, &ui::Control::touchUpInside, this, [this, row] { emit chosen(row); });
  }
  // Over the list, beside it in the parent: the scrolling content does not move it.
  m_fade = new EdgeFade(parent);
  m_fade->setAttribute(Qt::WA_TransparentForMouseEvents);
}

int AccountRows::setLabels(const QStringList& labels) {
  const int count = int(std::min<qsizetype>(labels.size(), m_rows.size()));
  for (int row = 0; row < m_rows.size(); ++row) {
    m_rows[row]->setVisible(row < count);
    if (row < count) m_rows[row]->setTitle(labels[row]);
  }
  const int shown = count <= kWholeRows ? count * kPitch - kRowGap : kWholeRows * kPitch + kRowHeight / 2;
  resize(width(), std::max(0, shown));
  setContentSize(QSize(width(), std::max(0, count * kPitch - kRowGap)));
  setContentOffset(QPointF());
  m_fade->setGeometry(x(), y() + height() - kFadeHeight, width(), kFadeHeight);
  m_fade->raise();
  scrollViewDidScroll(this);
  return height();
}

bool AccountRows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn)
    if (auto* row = qobject_cast<QWidget*>(watched); row && row->parentWidget() == contentView())
      scrollRectToVisible(row->geometry(), false);
  return ui::ScrollView::eventFilter(watched, event);
}

void AccountRows::scrollViewDidScroll(ui::ScrollView* scroll) {
  m_fade->setVisible(scroll->contentOffset().y() < scroll->maximumContentOffset().y() - 0.5);
}

}  // namespace app
