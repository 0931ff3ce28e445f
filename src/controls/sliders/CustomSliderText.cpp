#include "controls/sliders/CustomSliderText.h"

#include "controls/sliders/CustomSlider.h"
#include "controls/switches/CustomButton.h"

#include "ui/Fonts.h"

#include <QKeyEvent>
#include "ui/ImageView.h"
#include "ui/Theme.h"
#include "ui/Views.h"

namespace {
constexpr int kBarY = 50;
constexpr int kBarHeight = 20;
const QRect kSeparator(0, 15, 1, 33);  // x is the boundary between two buttons
constexpr double kTitleSize = 14;
}  // namespace

CustomSliderText::CustomSliderText(QPoint origin, int numberOfStatus, int selected, const QString& colorId, QWidget* parent)
    : QWidget(parent), m_colorId(colorId) {
  m_numberOfSection = CustomSlider::normalizedNumberOfSection(numberOfStatus);
  setGeometry(QRect(origin, QSize(m_numberOfSection * kSectionWidth, kHeight)));
  m_selectedColor = ui::themeColor(colorId);
  ui::installAccessibility();
  ui::setThemeColorId(this, ui::normalizedColorId(colorId));
  setFocusPolicy(Qt::TabFocus);
  m_normalColor = Qt::black;

  const int width = m_numberOfSection * kSectionWidth;
  m_slider = new CustomSlider(QRect(0, kBarY, width, kBarHeight), m_numberOfSection, 0, colorId, this);

  for (int k = 1; k < m_numberOfSection; ++k) {
    auto* line = new ui::ImageView(QStringLiteral("v_line.png"), this);
    line->setGeometry(kSeparator.translated(k * kSectionWidth, 0));
  }
  for (int k = 0; k < m_numberOfSection; ++k) {
    auto* button = new CustomButton(QRect(k * kSectionWidth, 0, kSectionWidth, kHeight), this);
    button->setTitle(QString::number(k + 1));
    button->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), kTitleSize));
    button->setTitleColor(m_normalColor);
    button->setNumberOfTitleLines(2);
    // The selector is the keyboard's stop; its buttons are its tabs.
    button->setFocusPolicy(Qt::NoFocus);
    ui::setAccessibleRole(button, QAccessible::PageTab);
    // Titles sit above the bar that runs along the bottom.
    button->setContentEdgeInsets(QMargins(2, 4, 2, kHeight - kBarY));
    // The position is chosen as the finger lands, before anything waiting for the lift runs.
    connect(button, &ui::Control::touchDown, this, [this, k] {
      m_selectionBeforeTouch = m_selectedSection;
      setSelected(k);
    });
    // A touch that does not end with a lift on the button chose nothing: nobody hears of it, so
    // the selector shows again what it showed before.
    connect(button, &ui::Control::touchUpOutside, this, [this] { setSelected(m_selectionBeforeTouch); });
    connect(button, &ui::Control::touchCancel, this, [this] { setSelected(m_selectionBeforeTouch); });
    m_buttons[size_t(k)] = button;
  }
  setSelected(selected);
}

CustomSliderText::CustomSliderText(QPoint origin, QWidget* parent) : CustomSliderText(origin, 3, 0, QStringLiteral("red"), parent) {}

CustomButton* CustomSliderText::button(int index) const {
  if (index < 0 || index > 3) return nullptr;
  return m_buttons[size_t(index)];
}

void CustomSliderText::setTextWithIndex(const QString& text, int index) {
  if (CustomButton* b = button(index)) b->setTitle(text);
}

void CustomSliderText::setSelected(int section) { select(section, true); }

QString CustomSliderText::accessibleValue() const {
  const CustomButton* chosen = button(m_selectedSection);
  return chosen ? chosen->currentTitle().simplified() : QString();
}

void CustomSliderText::keyPressEvent(QKeyEvent* event) {
  const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
  if (step == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  const int next = m_selectedSection + step;
  if (next >= 0 && next < m_numberOfSection) button(next)->activate();
}

void CustomSliderText::setSelectedWithoutAnim(int section) { select(section, false); }

void CustomSliderText::select(int section, bool animated) {
  m_selectedSection = (section >= 0 && section < m_numberOfSection) ? section : 0;
  for (int k = 0; k < m_numberOfSection; ++k) {
    CustomButton* b = m_buttons[size_t(k)];
    const bool chosen = k == m_selectedSection;
    b->setTitleColor(chosen ? m_selectedColor : m_normalColor);
    b->setSelected(chosen);
    b->setTitleFont(ui::Fonts::font(chosen ? QStringLiteral("Valdo-Bold") : QStringLiteral("Valdo-Light"), kTitleSize));
  }
  m_slider->setSelectedSection(m_selectedSection);
  const double value = CustomSlider::valueForSection(m_selectedSection, m_numberOfSection);
  if (animated) {
    m_slider->changeVerifiedValue(value);
  } else {
    m_slider->changeVerifiedValueWithoutAnim(value);
  }
}
