#include "controls/sliders/CustomSlider.h"

#include "ui/Theme.h"
#include "ui/Views.h"

namespace {
constexpr int kTrackCap = 10;
}

int CustomSlider::normalizedNumberOfSection(int numberOfStatus) {
  if (numberOfStatus == 4) return 4;
  if (numberOfStatus == 3) return 3;
  return 2;
}

double CustomSlider::valueForSection(int section, int numberOfSection) {
  const int n = normalizedNumberOfSection(numberOfSection);
  if (section < 0 || section >= n) return 0.0;
  switch (n) {
    case 2: return section == 0 ? 0.0 : 1.0;
    case 3: return section * 0.5;
    default: {
      // Four positions: the inner two sit nearer the middle, under the centres of their buttons.
      static constexpr double kFour[] = {0.0, 0.375, 0.625, 1.0};
      return kFour[section];
    }
  }
}

CustomSlider::CustomSlider(const QRect& frame, int numberOfStatus, int selected, const QString& colorId, QWidget* parent)
    : ui::Slider(frame, parent), m_colorId(colorId) {
  const QString theme = ui::normalizedColorId(colorId);
  setThumbImageName(QStringLiteral("slide_btn_%1.png").arg(theme));
  setMinimumTrackImageName(QStringLiteral("slide_%1.png").arg(theme), kTrackCap);
  setMaximumTrackImageName(QStringLiteral("slide_empty.png"), kTrackCap);
  setMinimumValue(0.0);
  setMaximumValue(1.0);
  m_numberOfSection = normalizedNumberOfSection(numberOfStatus);
  setSelectedSection(selected);
  // It shows a choice made elsewhere; fingers go to the buttons above it.
  ui::setUserInteractionEnabled(this, false);
}

CustomSlider::CustomSlider(const QRect& frame, QWidget* parent) : CustomSlider(frame, 3, 0, QString(), parent) {}

void CustomSlider::setSelectedSection(int section) {
  m_selectedSection = (section >= 0 && section < m_numberOfSection) ? section : 0;
}

void CustomSlider::changeVerifiedValue(double value) { setValue(value, true); }

void CustomSlider::changeVerifiedValueWithoutAnim(double value) { setValue(value, false); }
