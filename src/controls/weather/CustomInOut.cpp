#include "controls/weather/CustomInOut.h"

#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace {
constexpr int kHalf = CustomInOut::kWidth / 2;

ui::Label* segmentLabel(const QRect& frame, const char* key, QWidget* parent) {
  auto* label = new ui::Label(frame, parent);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 12));
  label->setTextAlignment(Qt::AlignHCenter);
  label->setText(foundation::localized(key));
  return label;
}
}  // namespace

CustomInOut::CustomInOut(QPoint origin, QWidget* parent) : QWidget(parent) {
  setGeometry(origin.x(), origin.y(), kWidth, kHeight);
  m_inImg = new ui::ImageView(QRect(0, 0, kHalf, kHeight), this);
  m_outImg = new ui::ImageView(QRect(kHalf, 0, kHalf, kHeight), this);
  m_inLbl = segmentLabel(QRect(2, 0, kHalf - 4, kHeight), "Indoor", this);
  m_outLbl = segmentLabel(QRect(kHalf + 2, 0, kHalf - 4, kHeight), "Outdoor", this);
  // Clear buttons over each half take the touches.
  m_inBtn = new ui::Button(QRect(0, 0, kHalf, kHeight), this);
  m_outBtn = new ui::Button(QRect(kHalf, 0, kHalf, kHeight), this);
  // The labels under the clear buttons name them.
  m_inBtn->setAccessibleName(m_inLbl->text());
  m_outBtn->setAccessibleName(m_outLbl->text());
  connect(m_inBtn, &ui::Control::touchDown, this, [this] { btnInClicked(); });
  connect(m_outBtn, &ui::Control::touchDown, this, [this] { btnOutClicked(); });
  changeSelected(m_value);
}

void CustomInOut::btnInClicked() {
  if (m_value == QLatin1String("IN")) return;
  m_value = QStringLiteral("IN");
  changeSelected(m_value);
}

void CustomInOut::btnOutClicked() {
  if (m_value == QLatin1String("OUT")) return;
  m_value = QStringLiteral("OUT");
  changeSelected(m_value);
}

void CustomInOut::changeSelected(const QString& value) {
  const bool in = value == QLatin1String("IN");
  m_inBtn->setSelected(in);
  m_outBtn->setSelected(!in);
  m_inImg->setImageName(in ? QStringLiteral("weather_simple_switch_l_selected.png") : QStringLiteral("weather_simple_switch_l.png"));
  m_outImg->setImageName(in ? QStringLiteral("weather_simple_switch_r.png") : QStringLiteral("weather_simple_switch_r_selected.png"));
  QColor chosen(Qt::black);
  chosen.setAlphaF(0.7f);
  m_inLbl->setTextColor(in ? chosen : QColor(Qt::white));
  m_outLbl->setTextColor(in ? QColor(Qt::white) : chosen);
}
