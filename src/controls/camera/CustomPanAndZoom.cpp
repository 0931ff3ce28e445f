#include "controls/camera/CustomPanAndZoom.h"

#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Views.h"

namespace {

struct Placement {
  QRect created, portrait, landscape;
};

// Portrait places the buttons as at creation, 44 points lower: the panel then starts under the
// navigation bar's height of the player; landscape spreads them over the whole 480 x 300 picture.
const Placement kLeft{{10, 100, 45, 50}, {10, 144, 45, 50}, {10, 125, 45, 50}};
const Placement kRight{{265, 100, 45, 50}, {265, 144, 45, 50}, {425, 125, 45, 50}};
const Placement kUp{{135, 10, 50, 45}, {135, 54, 50, 45}, {215, 10, 50, 45}};
const Placement kDown{{135, 195, 50, 45}, {135, 239, 50, 45}, {215, 245, 50, 45}};
const Placement kReset{{130, 95, 60, 60}, {130, 139, 60, 60}, {210, 120, 60, 60}};
const Placement kRecord{{270, 15, 35, 35}, {270, 59, 35, 35}, {430, 15, 35, 35}};
const Placement kClose{{270, 200, 35, 35}, {270, 244, 35, 35}, {430, 250, 35, 35}};
const Placement kStop{{15, 200, 35, 35}, {15, 244, 35, 35}, {15, 250, 35, 35}};

}  // namespace

CustomPanAndZoom::CustomPanAndZoom(const QRect& frame, QWidget* parent) : QWidget(parent) {
  setGeometry(frame);
  setAttribute(Qt::WA_TranslucentBackground);
  // Touches between the buttons reach the player's touch area below.
  ui::setUserInteractionEnabled(this, true);

  struct PanSpec {
    Direction direction;
    const Placement* place;
    const char* picture;
    const char* name;  // what a screen reader says: the buttons are pictures only
  };
  const PanSpec specs[] = {
      {Left, &kLeft, "camera_buttonPanLeft", "A11Y_PAN_LEFT"},
      {Right, &kRight, "camera_buttonPanRight", "A11Y_PAN_RIGHT"},
      {Up, &kUp, "camera_buttonPanTop", "A11Y_PAN_UP"},
      {Down, &kDown, "camera_buttonPanBottom", "A11Y_PAN_DOWN"},
      {Reset, &kReset, "camera_buttonPanCenter", "A11Y_PAN_CENTER"},
  };
  for (const PanSpec& spec : specs) {
    PanButton& pan = m_pan[spec.direction];
    pan.direction = spec.direction;
    pan.picture = QString::fromLatin1(spec.picture) + QStringLiteral(".png");
    pan.pressedPicture = QString::fromLatin1(spec.picture) + QStringLiteral("Clicked.png");
    pan.button = makeButton(spec.place->created, pan.picture);
    pan.button->setAccessibleName(foundation::localized(spec.name));
    connect(pan.button, &ui::Control::touchDown, this, [this, &pan] { pressPan(pan); });
  }

  m_rec = makeButton(kRecord.created, QStringLiteral("camera_buttonLaunchRecording.png"));
  connect(m_rec, &ui::Control::touchDown, this, &CustomPanAndZoom::recordRequested);
  m_close = makeButton(kClose.created, QStringLiteral("camera_buttonClosePanel.png"));
  connect(m_close, &ui::Control::touchDown, this, &CustomPanAndZoom::closeRequested);
  m_stop = makeButton(kStop.created, QStringLiteral("camera_stopBtnVideo.png"));
  m_rec->setAccessibleName(foundation::localized("A11Y_RECORD"));
  m_close->setAccessibleName(foundation::localized("A11Y_CLOSE_PANEL"));
  m_stop->setAccessibleName(foundation::localized("A11Y_STOP_VIDEO"));
  connect(m_stop, &ui::Control::touchDown, this, &CustomPanAndZoom::stopRequested);
}

CustomPanAndZoom::~CustomPanAndZoom() = default;

ui::Button* CustomPanAndZoom::makeButton(const QRect& frame, const QString& picture) {
  auto* button = new ui::Button(frame, this);
  button->setImageName(picture);
  // The pan buttons show a picture of their own while pressed; the others need no dimming either.
  button->setAdjustsImageWhenHighlighted(false);
  return button;
}

void CustomPanAndZoom::pressPan(PanButton& pan) {
  pan.button->setImageName(pan.pressedPicture);
  // A press during the pressed time keeps the picture until 1.5 s after the last press.
  pan.restore.start(kPressedSeconds, false, [&pan](foundation::Timer&) { pan.button->setImageName(pan.picture); });
  emit panRequested(pan.direction);
}

void CustomPanAndZoom::setPanVisible(bool visible) {
  for (PanButton& pan : m_pan) pan.button->setVisible(visible);
}

void CustomPanAndZoom::setRecVisible(bool visible) { m_rec->setVisible(visible); }

void CustomPanAndZoom::willRotateToInterfaceOrientationDuration(ui::Orientation orientation, double) {
  const bool landscape = ui::isLandscape(orientation);
  setGeometry(landscape ? kLandscapeFrame : kPortraitFrame);
  auto place = [landscape](ui::Button* b, const Placement& p) { b->setGeometry(landscape ? p.landscape : p.portrait); };
  place(panLeft(), kLeft);
  place(panRight(), kRight);
  place(panUp(), kUp);
  place(panDown(), kDown);
  place(panReset(), kReset);
  place(m_rec, kRecord);
  place(m_close, kClose);
  place(m_stop, kStop);
}
