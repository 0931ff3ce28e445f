#include "controls/weather/MenuComponent.h"

#include "foundation/Strings.h"
#include "ui/Animation.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace {

struct ButtonSpec {
  const char* key;
  int left;
  int width;
};
constexpr ButtonSpec kButtons[] = {
    {"Today", 2, 76},           {"Yesterday", 81, 76},     {"Last 7 day", 160, 76}, {"Current month", 239, 76},
    {"Previous month", 322, 104}, {"Current year", 428, 104}, {"Previous year", 535, 104},
};
constexpr int kHighlightTop = 3;
constexpr int kHighlightHeight = 46;
constexpr int kPage = 320;

}  // namespace

MenuComponent::MenuComponent(QWidget* parent) : QWidget(parent) {
  resize(kWidth, kHeight);
  for (int page = 0; page < 3; ++page) {
    auto* background = new ui::ImageView(QRect(page * kPage, 0, kPage, kHeight), this);
    background->setImageName(QStringLiteral("weather_tab_1_bg.png"));
  }
  // Lines between the buttons of the first two pages.
  for (int x : {79, 158, 237, 427, 533}) {
    auto* separator = new ui::ImageView(QRect(x, 8, 2, kHeight - 16), this);
    separator->setImageName(QStringLiteral("weather_tab_1_separator.png"));
  }
  m_selectedFirst = new ui::ImageView(QRect(kFirstMenuX[0], kHighlightTop, 77, kHighlightHeight), this);
  m_selectedFirst->setImageName(QStringLiteral("weather_tab_1_selected.png"));
  m_selectedSecond = new ui::ImageView(QRect(kSecondMenuX[0], kHighlightTop, 104, kHighlightHeight), this);
  m_selectedSecond->setImageName(QStringLiteral("weather_tab_2_selected.png"));

  for (int i = 0; i < int(m_buttons.size()); ++i) {
    const ButtonSpec& spec = kButtons[i];
    auto* button = new ui::Button(QRect(spec.left, 0, spec.width, kHeight), this);
    button->setTitle(foundation::localized(spec.key));
    button->setTitleColor(Qt::white);
    button->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 13));
    button->setNumberOfTitleLines(2);
    m_buttons[size_t(i)] = button;
    connect(button, &ui::Control::touchDown, this, [this, i] {
      if (i < 4) changeFirstMenuSelection(i);
      else changeSecondMenuSelection(i - 4);
    });
  }
  markSelected(0, 4, 0);
  markSelected(4, 3, 0);

  // The third page: the station's reset. The service offers no reset and no date of one, so the
  // button is shown unavailable and the date stays empty rather than showing a made-up one.
  auto* since = new ui::Label(QRect(2 * kPage + 12, 0, 120, kHeight), this);
  since->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 13));
  since->setTextColor(Qt::white);
  since->setNumberOfLines(2);
  since->setText(foundation::localized("Since my last reset"));
  auto* reset = new ui::ImageView(QRect(2 * kPage + 140, 9, 76, 31), this);
  reset->setImageName(QStringLiteral("weather_btn_model_1.png"));
  ui::setAlpha(reset, 0.45);
  auto* resetLabel = new ui::Label(reset->geometry(), this);
  resetLabel->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 12));
  QColor dimmed(Qt::white);
  dimmed.setAlphaF(0.5f);
  resetLabel->setTextColor(dimmed);
  resetLabel->setTextAlignment(Qt::AlignHCenter);
  resetLabel->setText(foundation::localized("Reset"));
  m_lastResetDate = new ui::Label(QRect(2 * kPage + 224, 0, kPage - 236, kHeight), this);
  m_lastResetDate->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 13));
  m_lastResetDate->setTextColor(Qt::white);
  m_lastResetDate->setTextAlignment(Qt::AlignRight);
}

ui::Button* MenuComponent::button(int index) const {
  return index >= 0 && index < int(m_buttons.size()) ? m_buttons[size_t(index)] : nullptr;
}

void MenuComponent::markSelected(int first, int count, int index) {
  // The buttons carry the choice too, for whoever cannot see the highlight (assistive tools).
  for (int i = 0; i < count; ++i) m_buttons[size_t(first + i)]->setSelected(i == index);
}

void MenuComponent::changeFirstMenuSelection(int index) {
  if (index < 0 || index >= int(kFirstMenuX.size())) return;
  markSelected(0, int(kFirstMenuX.size()), index);
  // The animation belongs to the highlight, so it ends with this control.
  ui::Animation::moveTo(m_selectedFirst, QPoint(kFirstMenuX[size_t(index)], kHighlightTop), kHighlightSeconds);
}

void MenuComponent::changeSecondMenuSelection(int index) {
  if (index < 0 || index >= int(kSecondMenuX.size())) return;
  markSelected(int(kFirstMenuX.size()), int(kSecondMenuX.size()), index);
  ui::Animation::moveTo(m_selectedSecond, QPoint(kSecondMenuX[size_t(index)], kHighlightTop), kHighlightSeconds);
}
