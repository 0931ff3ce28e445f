#include "UiTestSupport.h"

#include "ui/Animation.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace uitest {
namespace {

class ZeroDurations final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ui::Animation::setDurationScale(0.0); }
};

// Registered once, before any test runs.
[[maybe_unused]] const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new ZeroDurations);
  return true;
}();

QWindow* windowOf(QWidget* target, QPoint pos, QPoint* windowPos) {
  QWidget* top = target->window();
  *windowPos = target->mapTo(top, pos);
  return top->windowHandle();
}

}  // namespace

void press(QWidget* target, QPoint pos, int ms) {
  QPoint at;
  QWindow* window = windowOf(target, pos, &at);
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at, ms);
}

void move(QWidget* target, QPoint pos, int ms) {
  QPoint at;
  QWindow* window = windowOf(target, pos, &at);
  QTest::mouseMove(window, at, ms);
}

void release(QWidget* target, QPoint pos, int ms) {
  QPoint at;
  QWindow* window = windowOf(target, pos, &at);
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at, ms);
}

void tap(QWidget* target, QPoint pos) {
  press(target, pos);
  release(target, pos);
}

void tap(QWidget* target) { tap(target, target->rect().center()); }

void drag(QWidget* target, QPoint from, QPoint to, int steps, int msPerStep) {
  press(target, from, msPerStep);
  for (int i = 1; i <= steps; ++i) move(target, from + (to - from) * i / steps, msPerStep);
  release(target, to, msPerStep);
}

}  // namespace uitest
