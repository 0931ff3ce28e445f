#pragma once
// The transparent panel laid over a playing camera video: four arrows and a centre button that
// move a motorised camera, a record button, a close button and a stop button. It sends nothing
// itself: each button emits a signal on touch-down (its owner turns it into a camera command or
// stops the player), and the owner shows or hides its groups of buttons.
//
// A pan button shows its pressed picture for 1.5 s after each press, by a timer the panel owns:
// a panel that goes takes its timers with it.
#include "foundation/Timer.h"
#include "ui/Orientation.h"

#include <QWidget>

#include <array>

namespace ui {
class Button;
}

class CustomPanAndZoom : public QWidget {
  Q_OBJECT
 public:
  static constexpr double kPressedSeconds = 1.5;
  // Where the host puts the panel over a portrait player.
  static constexpr QRect kPortraitFrame{0, 65, 320, 340};
  static constexpr QRect kLandscapeFrame{0, 0, 480, 300};

  enum Direction { Left, Right, Up, Down, Reset };

  explicit CustomPanAndZoom(const QRect& frame, QWidget* parent = nullptr);
  ~CustomPanAndZoom() override;

  ui::Button* panLeft() const { return m_pan[Left].button; }
  ui::Button* panRight() const { return m_pan[Right].button; }
  ui::Button* panUp() const { return m_pan[Up].button; }
  ui::Button* panDown() const { return m_pan[Down].button; }
  ui::Button* panReset() const { return m_pan[Reset].button; }
  ui::Button* rec() const { return m_rec; }
  ui::Button* close() const { return m_close; }
  ui::Button* stop() const { return m_stop; }

  // The pan buttons (a fixed camera has none) and the record button (hidden while a recording
  // starts or plays).
  void setPanVisible(bool visible);
  void setRecVisible(bool visible);

  // Lays the panel and its buttons out for `orientation` (upside-down portrait counts as portrait).
  void willRotateToInterfaceOrientationDuration(ui::Orientation orientation, double duration);

 signals:
  void panRequested(CustomPanAndZoom::Direction direction);
  void recordRequested();
  void closeRequested();
  void stopRequested();

 private:
  static constexpr int kPanCount = Reset + 1;
  struct PanButton {
    ui::Button* button = nullptr;
    Direction direction = Left;
    QString picture;
    QString pressedPicture;
    foundation::Timer restore;
  };

  void pressPan(PanButton& pan);
  ui::Button* makeButton(const QRect& frame, const QString& picture);

  std::array<PanButton, kPanCount> m_pan;
  ui::Button* m_rec = nullptr;
  ui::Button* m_close = nullptr;
  ui::Button* m_stop = nullptr;
};
