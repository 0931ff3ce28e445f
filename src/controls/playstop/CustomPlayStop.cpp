#include "controls/playstop/CustomPlayStop.h"

#include "foundation/Strings.h"
#include "ui/ImageView.h"
#include "ui/Theme.h"
#include "ui/Views.h"

namespace {
constexpr int kIcon = 36;
constexpr int kStopX = 40;

QWidget* makeFace(const QString& playName, QWidget* parent, ui::ImageView** playIcon) {
  auto* face = new QWidget(parent);
  face->setGeometry(0, 0, CustomPlayStop::kWidth, CustomPlayStop::kHeight);
  ui::setUserInteractionEnabled(face, false);
  auto* play = new ui::ImageView(QRect(0, 0, kIcon, kIcon), face);
  play->setImageName(playName);
  auto* stop = new ui::ImageView(QRect(kStopX, 0, kIcon, kIcon), face);
  stop->setImageName(QStringLiteral("stop_off.png"));
  if (playIcon) *playIcon = play;
  return face;
}
}  // namespace

CustomPlayStop::CustomPlayStop(const QRect& frame, bool selected, const QString& colorId, QWidget* parent)
    : ui::Control(frame, parent), m_colorId(colorId) {
  ui::setThemeColorId(this, ui::normalizedColorId(colorId));
  m_stop = makeFace(QStringLiteral("play_off.png"), this, nullptr);
  m_play = makeFace(playOnImageName(), this, &m_playIcon);
  setPlayStopSelected(selected);
}

QString CustomPlayStop::accessibleValue() const {
  return foundation::localized(isSelected() ? "A11Y_RUNNING" : "A11Y_STOPPED");
}

void CustomPlayStop::addAccessibleState(QAccessible::State& state) const {
  ui::Control::addAccessibleState(state);
  state.checkable = true;
  state.checked = isSelected();
}

QString CustomPlayStop::playOnImageName() const {
  return QStringLiteral("play_on_%1.png").arg(ui::normalizedColorId(m_colorId));
}

void CustomPlayStop::setPlayStopSelected(bool selected) {
  setSelected(selected);
  showFace();
}

void CustomPlayStop::buttonClicked(ui::Control*) { setPlayStopSelected(!isSelected()); }

void CustomPlayStop::touchesEnded(const QPointF& pos) {
  // The toggle and the owner's command ride on the same event: a lift inside turns the control
  // over before touch-up-inside goes out; a lift outside changes nothing.
  if (rect().contains(pos.toPoint())) buttonClicked(this);
  ui::Control::touchesEnded(pos);
}

void CustomPlayStop::stateDidChange() {
  showFace();
  // A pressed control shows it is under the finger.
  ui::setAlpha(this, isHighlighted() ? 0.6 : (isEnabled() ? 1.0 : 0.45));
  ui::Control::stateDidChange();
}

void CustomPlayStop::showFace() {
  if (!m_play || !m_stop) return;
  m_play->setVisible(isSelected());
  m_stop->setVisible(!isSelected());
}
