#pragma once
// The transparent panel laid over a playing camera video: four arrows and a centre button that
// move a motorised camera, a record button, a close button and a stop button. It sends nothing
// itself: each button posts a notification (the supervision screen turns it into a camera
// command, the player stops on "kVideoMenuSendStop"), and others show or hide its groups of
// buttons by notification.
//
// A pan button shows its pressed picture for 1.5 s after each press, by a timer the panel owns:
// a panel that goes takes its timers with it.
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "ui/Orientation.h"

#include <QWidget>

#include <array>

namespace ui {
class Button;
}

inline constexpr char kVideoPanLeft[] = "kVideoPanLeft";
inline constexpr char kVideoPanRight[] = "kVideoPanRight";
inline constexpr char kVideoPanUp[] = "kVideoPanUp";
inline constexpr char kVideoPanDown[] = "kVideoPanDown";
inline constexpr char kVideoPanReset[] = "kVideoPanReset";
inline constexpr char kVideoRec[] = "kVideoRec";
inline constexpr char kHideVideoMenu[] = "kHideVideoMenu";
inline constexpr char kShowVideoMenu[] = "kShowVideoMenu";
inline constexpr char kVideoMenuSendStop[] = "kVideoMenuSendStop";
inline constexpr char kHidePan[] = "kHidePan";
inline constexpr char kShowPan[] = "kShowPan";
inline constexpr char kHideRec[] = "kHideRec";
inline constexpr char kShowRec[] = "kShowRec";

class CustomPanAndZoom : public QWidget {
  Q_OBJECT
 public:
  static constexpr double kPressedSeconds = 1.5;
  // Where the host puts the panel over a portrait player.
  static constexpr QRect kPortraitFrame{0, 65, 320, 340};
  static constexpr QRect kLandscapeFrame{0, 0, 480, 300};

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

  // Lays the panel and its buttons out for `orientation` (upside-down portrait counts as portrait).
  void willRotateToInterfaceOrientationDuration(ui::Orientation orientation, double duration);

 private:
  enum PanIndex { Left, Right, Up, Down, Reset, PanCount };
  struct PanButton {
    ui::Button* button = nullptr;
    const char* notification = nullptr;
    QString picture;
    QString pressedPicture;
    foundation::Timer restore;
  };

  void pressPan(PanButton& pan);
  void setPanVisible(bool visible);
  ui::Button* makeButton(const QRect& frame, const QString& picture);

  std::array<PanButton, PanCount> m_pan;
  ui::Button* m_rec = nullptr;
  ui::Button* m_close = nullptr;
  ui::Button* m_stop = nullptr;
  foundation::Observations m_observations;
};
