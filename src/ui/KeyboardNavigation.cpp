#include "ui/KeyboardNavigation.h"

#include "ui/ScrollView.h"
#include "ui/Theme.h"
#include "ui/Views.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace ui {
namespace {

const char* const kNoRingProperty = "tbNoFocusRing";
constexpr int kRingGap = 2;     // between the widget and the ring
constexpr double kRingWidth = 2.5;

QRect rectInWindow(const QWidget* widget) {
  return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// Reading order: widgets sorted by their top; a line is the first of them and every later one
// whose middle lies within its height; each line is read from left to right.
QList<QWidget*> inReadingOrder(QList<QWidget*> widgets) {
  struct Item {
    QWidget* widget;
    QRect rect;
  };
  std::vector<Item> items;
  items.reserve(size_t(widgets.size()));
  for (QWidget* w : widgets) items.push_back({w, rectInWindow(w)});
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.rect.top() < b.rect.top(); });
  QList<QWidget*> ordered;
  std::vector<bool> taken(items.size(), false);
  for (size_t i = 0; i < items.size(); ++i) {
    if (taken[i]) continue;
    const QRect lead = items[i].rect;
    std::vector<Item> line;
    for (size_t j = i; j < items.size(); ++j) {
      if (taken[j]) continue;
      const int middle = items[j].rect.center().y();
      if (j == i || (middle >= lead.top() && middle <= lead.bottom())) {
        line.push_back(items[j]);
        taken[j] = true;
      }
    }
    std::stable_sort(line.begin(), line.end(), [](const Item& a, const Item& b) { return a.rect.left() < b.rect.left(); });
    for (const Item& item : line) ordered << item.widget;
  }
  return ordered;
}

void scrollIntoView(QWidget* widget) {
  for (QWidget* w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget()) {
    auto* scroller = qobject_cast<ScrollView*>(w);
    if (!scroller || !scroller->isScrollEnabled() || !scroller->contentView()->isAncestorOf(widget)) continue;
    const QPoint at = widget->mapTo(scroller->contentView(), QPoint(0, 0));
    scroller->scrollRectToVisible(QRectF(at, widget->size()), false);
  }
}

bool drawsRing(const QWidget* widget) {
  if (!widget || widget->isWindow()) return false;
  const QVariant off = widget->property(kNoRingProperty);
  return !(off.isValid() && off.toBool());
}

}  // namespace

bool isKeyboardReachable(const QWidget* widget) {
  if (!widget || !(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible() || !widget->isEnabled()) return false;
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (!isUserInteractionEnabled(w)) return false;
    if (w->isWindow()) break;
  }
  return true;
}

QList<QWidget*> keyboardChain(QWidget* scope) {
  if (!scope || !scope->isVisible()) return {};
  QList<QWidget*> reachable;
  for (QWidget* w : scope->findChildren<QWidget*>()) {
    if (isKeyboardReachable(w)) reachable << w;
  }
  return inReadingOrder(reachable);
}

bool moveKeyboardFocus(QWidget* scope, bool forward) {
  const QList<QWidget*> chain = keyboardChain(scope);
  if (chain.isEmpty()) return false;
  QWidget* current = scope->window()->focusWidget();
  const qsizetype at = chain.indexOf(current);
  qsizetype next;
  if (at < 0) {
    next = forward ? 0 : chain.size() - 1;
  } else {
    next = (at + (forward ? 1 : -1) + chain.size()) % chain.size();
  }
  QWidget* target = chain[next];
  scrollIntoView(target);
  target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

bool moveKeyboardFocusTowards(QWidget* scope, QWidget* from, int key) {
  if (!scope || !from) return false;
  const QRect origin = rectInWindow(from);
  const QPointF o = QRectF(origin).center();
  QWidget* best = nullptr;
  double bestScore = std::numeric_limits<double>::max();
  for (QWidget* candidate : keyboardChain(scope)) {
    if (candidate == from) continue;
    const QRect r = rectInWindow(candidate);
    const QPointF c = QRectF(r).center();
    // Distance along the arrow, and how far off its line the candidate lies.
    double along = 0;
    double across = 0;
    switch (key) {
      case Qt::Key_Up: along = o.y() - c.y(); across = std::abs(c.x() - o.x()); break;
      case Qt::Key_Down: along = c.y() - o.y(); across = std::abs(c.x() - o.x()); break;
      case Qt::Key_Left: along = o.x() - c.x(); across = std::abs(c.y() - o.y()); break;
      case Qt::Key_Right: along = c.x() - o.x(); across = std::abs(c.y() - o.y()); break;
      default: return false;
    }
    if (along <= 1) continue;
    // Widgets that overlap the origin's band across the arrow come first.
    const bool inBand = (key == Qt::Key_Up || key == Qt::Key_Down) ? (r.right() >= origin.left() && r.left() <= origin.right())
                                                                   : (r.bottom() >= origin.top() && r.top() <= origin.bottom());
    const double score = along + across * 2 + (inBand ? 0 : 10000);
    if (score < bestScore) {
      bestScore = score;
      best = candidate;
    }
  }
  if (!best) return false;
  scrollIntoView(best);
  best->setFocus(Qt::TabFocusReason);
  return true;
}

void setDrawsFocusRing(QWidget* widget, bool draws) {
  if (widget) widget->setProperty(kNoRingProperty, !draws);
}

// -- FocusRing --------------------------------------------------------------------------------

namespace {

// Tells the ring whether the last input was a key or a touch (or click), from every event the
// application delivers.
class InputWatch : public QObject {
 public:
  InputWatch(QObject* parent, std::function<void(bool)> keyboardInUse)
      : QObject(parent), m_keyboardInUse(std::move(keyboardInUse)) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress: m_keyboardInUse(true); break;
      case QEvent::MouseButtonPress:
      case QEvent::TouchBegin: m_keyboardInUse(false); break;
      default: break;
    }
    return false;
  }

 private:
  std::function<void(bool)> m_keyboardInUse;
};

}  // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
  setObjectName(QStringLiteral("focusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this] { follow(); });
  new InputWatch(this, [this](bool inUse) { setKeyboardInUse(inUse); });
}

void FocusRing::setKeyboardInUse(bool inUse) {
  if (m_keyboardInUse == inUse) return;
  m_keyboardInUse = inUse;
  follow();
}

void FocusRing::watch(QWidget* target) {
  for (const auto& w : m_watched) {
    if (w) w->removeEventFilter(this);
  }
  m_watched.clear();
  m_target = target;
  for (QWidget* w = target; w && w != parentWidget(); w = w->parentWidget()) {
    w->installEventFilter(this);
    m_watched << w;
  }
}

void FocusRing::follow() {
  QWidget* window = parentWidget();
  QWidget* focused = window->focusWidget();
  if (focused && !window->isAncestorOf(focused)) focused = nullptr;
  if (focused != m_target) {
    watch(focused);
    if (focused) scrollIntoView(focused);
  }
  if (!m_keyboardInUse || !focused || !drawsRing(focused) || !focused->isVisible()) {
    hide();
    return;
  }
  // Only the part of the widget that its containers let show is outlined.
  const QRect visible = focused->visibleRegion().boundingRect();
  if (visible.isEmpty()) {
    hide();
    return;
  }
  m_color = themeColor(themeColorIdOf(focused));
  m_ring = QRect(focused->mapTo(window, visible.topLeft()), visible.size())
               .adjusted(-kRingGap - 2, -kRingGap - 2, kRingGap + 2, kRingGap + 2)
               .intersected(window->rect());
  setGeometry(window->rect());
  show();
  raise();
  update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      follow();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF ring = QRectF(m_ring).adjusted(2, 2, -2, -2);
  // A light halo keeps the ring visible on a background of its own colour.
  painter.setPen(QPen(QColor(255, 255, 255, 200), kRingWidth + 2.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(ring, 7, 7);
  painter.setPen(QPen(m_color, kRingWidth));
  painter.drawRoundedRect(ring, 7, 7);
}

}  // namespace ui
