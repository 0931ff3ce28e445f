#pragma once
// The spinning wheel of twelve spokes that says "working". Hidden while stopped, unless told
// otherwise. It turns on the scheduler's timers, so a test clock can step it. Assistive technology
// sees an animation, busy while it turns.
#include "foundation/Timer.h"
#include "ui/Accessibility.h"

#include <QColor>
#include <QWidget>

namespace ui {

class ActivityIndicatorView : public QWidget, public AccessibleElement {
  Q_OBJECT
 public:
  enum class Style { White, WhiteLarge, Gray };

  explicit ActivityIndicatorView(Style style = Style::White, QWidget* parent = nullptr);

  void startAnimating();
  void stopAnimating();
  bool isAnimating() const { return m_animating; }
  void setHidesWhenStopped(bool on);
  bool hidesWhenStopped() const { return m_hidesWhenStopped; }
  void setColor(const QColor& color);
  Style style() const { return m_style; }
  // Which spoke is brightest, 0..11; advances twelve times a second while animating.
  int phase() const { return m_phase; }

  QSize sizeHint() const override;

  QAccessible::Role accessibleRole() const override { return QAccessible::Animation; }
  QString accessibleText() const override;
  void addAccessibleState(QAccessible::State& state) const override { state.busy = m_animating; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Style m_style;
  QColor m_color;
  bool m_animating = false;
  bool m_hidesWhenStopped = true;
  int m_phase = 0;
  foundation::Timer m_timer;
};

}  // namespace ui
