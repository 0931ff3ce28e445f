#pragma once
// Starts and stops a favorite or a scenario: a play icon and a stop icon side by side (76 x 36
// points). Selected (running), the play icon is lit in the owner's colour theme; not selected,
// both are unlit.
//
// A tap toggles the control when the finger lifts inside it, and only then: the toggle happens
// before touch-up-inside reaches anyone else, so a screen sends its command from touch-up-inside
// and reads the state the user asked for with isSelected() (true: start, false: stop). A touch
// that ends outside changes nothing and reports no touch-up-inside.
//
// Assistive technology sees a toggle button, checked while running, whose value says so; it is
// named after the row it stands in unless its screen names it.
#include "ui/Control.h"

#include <QString>

namespace ui {
class ImageView;
}

class CustomPlayStop : public ui::Control {
  Q_OBJECT
 public:
  static constexpr int kWidth = 76;
  static constexpr int kHeight = 36;

  CustomPlayStop(const QRect& frame, bool selected, const QString& colorId, QWidget* parent);

  // Shows the state held in a record: running (true) or stopped.
  void setPlayStopSelected(bool selected);
  // The control's own tap handler: inverts the state.
  void buttonClicked(ui::Control* sender);

  // The faces: `play` shows while selected, `stop` while not.
  QWidget* play() const { return m_play; }
  QWidget* stop() const { return m_stop; }
  // The picture of the lit play icon ("play_on_<theme>.png").
  QString playOnImageName() const;

  // The favorite or scenario the control stands for, as text.
  const QString& identifier() const { return m_identifier; }
  void setIdentifier(const QString& identifier) { m_identifier = identifier; }

  const QString& colorId() const { return m_colorId; }

  QSize sizeHint() const override { return {kWidth, kHeight}; }

  QString accessibleValue() const override;
  void addAccessibleState(QAccessible::State& state) const override;

 protected:
  void touchesEnded(const QPointF& pos) override;
  void stateDidChange() override;

 private:
  void showFace();

  QString m_colorId;
  QString m_identifier;
  QWidget* m_play = nullptr;
  QWidget* m_stop = nullptr;
  ui::ImageView* m_playIcon = nullptr;
};
