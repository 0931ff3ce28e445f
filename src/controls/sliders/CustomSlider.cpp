#include "controls/sliders/CustomSlider.h"

#include "ui/Images.h"
#include "ui/Theme.h"

#include <QPainter>

#include <algorithm>
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
  m_knob = ui::Images::named(thumbImageName());
  m_fill = ui::Images::named(minimumTrackImageName()).stretchable(kTrackCap, 0);
  m_empty = ui::Images::named(maximumTrackImageName()).stretchable(kTrackCap, 0);
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

double CustomSlider::thumbCentreX() const {
  // Each position's button is an equal share of the width; the value table puts the positions
  // where the selector wants them, and the thumb goes to the matching button's centre.
  const int n = m_numberOfSection;
  const double share = double(width()) / n;
  const double v = std::clamp(value(), 0.0, 1.0);
  for (int k = 0; k + 1 < n; ++k) {
    const double from = valueForSection(k, n);
    const double to = valueForSection(k + 1, n);
    if (v <= to) {
      const double t = to > from ? (v - from) / (to - from) : 0.0;
      return share * (k + 0.5 + t);
    }
  }
  return share * (n - 0.5);
}

void CustomSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!isEnabled()) painter.setOpacity(0.5);
  const double trackHeight = std::max(m_fill.size().height(), m_empty.size().height());
  const QRectF track(4, (height() - trackHeight) / 2.0, width() - 8, trackHeight);
  const double split = thumbCentreX();
  auto drawPart = [&](const ui::Image& image, const QRectF& clip) {
    painter.save();
    painter.setClipRect(clip);
    image.draw(painter, track);
    painter.restore();
  };
  drawPart(m_empty, QRectF(split, 0, width() - split, height()));
  drawPart(m_fill, QRectF(0, 0, split, height()));
  const QSizeF knob = m_knob.size();
  m_knob.draw(painter, QRectF(split - knob.width() / 2, (height() - knob.height()) / 2.0, knob.width(), knob.height()));
}
