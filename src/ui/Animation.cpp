#include "ui/Animation.h"

#include "ui/Views.h"

#include <QEasingCurve>
#include <QVariantAnimation>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {
namespace {

double g_durationScale = 1.0;

QString childName(const QByteArray& key) {
  return QStringLiteral("ui.animation:") + QString::fromLatin1(key);
}

// The running animation of one property. It lives as a child of its target, so it dies with it.
class PropertyAnimation final : public QVariantAnimation {
 public:
  PropertyAnimation(QObject* target, const QByteArray& key, Animation::Step step,
                    Animation::Completion completion, Curve curve)
      : QVariantAnimation(target), m_step(std::move(step)), m_completion(std::move(completion)),
        m_curve(curve) {
    setObjectName(childName(key));
    setStartValue(0.0);
    setEndValue(1.0);
    connect(this, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
      if (m_step) m_step(Animation::ease(m_curve, value.toDouble()));
    });
    connect(this, &QAbstractAnimation::finished, this, [this] { end(true); });
  }

  // Detaches the animation from its key first, so that a completion may start the next one.
  void end(bool finished) {
    if (m_ended) return;
    m_ended = true;
    setObjectName(QString());
    auto completion = std::move(m_completion);
    m_step = nullptr;
    if (state() != QAbstractAnimation::Stopped) {
      QSignalBlocker block(this);
      QAbstractAnimation::stop();
    }
    deleteLater();
    if (completion) completion(finished);
  }

  void jumpToEnd() {
    if (m_ended) return;
    if (m_step) m_step(1.0);
    end(true);
  }

 private:
  Animation::Step m_step;
  Animation::Completion m_completion;
  Curve m_curve;
  bool m_ended = false;
};

PropertyAnimation* running(const QObject* target, const QByteArray& key) {
  if (!target) return nullptr;
  return target->findChild<PropertyAnimation*>(childName(key), Qt::FindDirectChildrenOnly);
}

}  // namespace

void Animation::setDurationScale(double scale) { g_durationScale = std::max(0.0, scale); }
double Animation::durationScale() { return g_durationScale; }

double Animation::ease(Curve curve, double t) {
  t = std::clamp(t, 0.0, 1.0);
  switch (curve) {
    case Curve::Linear:
      return t;
    case Curve::EaseIn:
      return QEasingCurve(QEasingCurve::InQuad).valueForProgress(t);
    case Curve::EaseOut:
      return QEasingCurve(QEasingCurve::OutCubic).valueForProgress(t);
    case Curve::EaseInOut:
      return QEasingCurve(QEasingCurve::InOutQuad).valueForProgress(t);
  }
  return t;
}

void Animation::run(QObject* target, const QByteArray& key, double seconds, Step step,
                    Completion completion, Curve curve) {
  if (!target) return;
  stop(target, key);
  const double scaled = std::max(0.0, seconds) * g_durationScale;
  const int ms = static_cast<int>(std::lround(scaled * 1000.0));
  if (ms <= 0) {
    if (step) step(1.0);
    if (completion) completion(true);
    return;
  }
  auto* animation = new PropertyAnimation(target, key, std::move(step), std::move(completion), curve);
  animation->setDuration(ms);
  animation->start();
}

void Animation::stop(QObject* target, const QByteArray& key) {
  if (auto* animation = running(target, key)) animation->end(false);
}

void Animation::finish(QObject* target, const QByteArray& key) {
  if (auto* animation = running(target, key)) animation->jumpToEnd();
}

bool Animation::isRunning(const QObject* target, const QByteArray& key) {
  return running(target, key) != nullptr;
}

void Animation::setFrame(QWidget* widget, const QRect& frame, double seconds, Completion completion,
                         Curve curve) {
  if (!widget) return;
  const QRect from = widget->geometry();
  run(
      widget, "frame", seconds,
      [widget, from, frame](double p) {
        auto mix = [p](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * p)); };
        widget->setGeometry(mix(from.x(), frame.x()), mix(from.y(), frame.y()),
                            mix(from.width(), frame.width()), mix(from.height(), frame.height()));
      },
      std::move(completion), curve);
}

void Animation::moveTo(QWidget* widget, const QPoint& topLeft, double seconds, Completion completion,
                       Curve curve) {
  if (!widget) return;
  setFrame(widget, QRect(topLeft, widget->size()), seconds, std::move(completion), curve);
}

void Animation::fadeTo(QWidget* widget, double target, double seconds, Completion completion,
                       Curve curve) {
  if (!widget) return;
  const double from = alpha(widget);
  run(
      widget, "alpha", seconds, [widget, from, target](double p) { setAlpha(widget, from + (target - from) * p); },
      std::move(completion), curve);
}

}  // namespace ui
