#include "controls/sliders/CustomSlider.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"

#include "ui/Theme.h"

#include "UiTestSupport.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

namespace {

class SliderTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(320, 200);
    host.show();
  }
  QWidget host;
};

bool isBold(const CustomButton* b) { return b->titleFont().weight() >= QFont::DemiBold; }

}  // namespace

struct SelectCase {
  int positions;      // as asked
  int expectedCount;  // as built
  const char* colorId;
  int select;
  int expectedSection;
  double expectedBar;
};
void PrintTo(const SelectCase& c, std::ostream* os) {
  *os << c.positions << " positions, \"" << c.colorId << "\", select " << c.select;
}

class Selection : public SliderTextTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(Selection, StylesTheChosenButtonAndMovesTheBar) {
  const SelectCase& c = GetParam();
  CustomSliderText selector(QPoint(5, 5), c.positions, 0, QString::fromLatin1(c.colorId), &host);
  selector.setSelected(c.select);
  ASSERT_EQ(selector.numberOfSection(), c.expectedCount);
  EXPECT_EQ(selector.width(), 70 * c.expectedCount);
  EXPECT_EQ(selector.btn3() != nullptr, c.expectedCount >= 3);
  EXPECT_EQ(selector.btn4() != nullptr, c.expectedCount == 4);
  EXPECT_EQ(selector.selectedSection(), c.expectedSection);
  EXPECT_DOUBLE_EQ(selector.cSlider()->value(), c.expectedBar);
  const QColor theme = ui::themeColor(QString::fromLatin1(c.colorId));
  EXPECT_EQ(selector.selectedColor(), theme);
  for (int k = 0; k < c.expectedCount; ++k) {
    const CustomButton* b = selector.button(k);
    const bool chosen = k == c.expectedSection;
    EXPECT_EQ(b->titleColor(), chosen ? theme : QColor(Qt::black)) << "button " << k;
    EXPECT_EQ(isBold(b), chosen) << "button " << k;
  }
  EXPECT_EQ(selector.cSlider()->thumbImageName(), QStringLiteral("slide_btn_%1.png").arg(ui::normalizedColorId(QString::fromLatin1(c.colorId))));
}

INSTANTIATE_TEST_SUITE_P(Positions, Selection,
                         ::testing::Values(SelectCase{4, 4, "red", 2, 2, 0.625}, SelectCase{4, 4, "blue", 1, 1, 0.375},
                                           SelectCase{3, 3, "syan", 1, 1, 0.5}, SelectCase{2, 2, "green", 1, 1, 1.0},
                                           SelectCase{3, 3, "orange1", 5, 0, 0.0}, SelectCase{3, 3, "orange1", -1, 0, 0.0},
                                           SelectCase{2, 2, "yellow", 2, 0, 0.0}, SelectCase{5, 2, "", 1, 1, 1.0},
                                           SelectCase{1, 2, "purple", 0, 0, 0.0}));

TEST_F(SliderTextTest, TitlesGoOnlyToButtonsThatExist) {
  CustomSliderText selector(QPoint(0, 0), &host);  // three positions, red, position 0
  EXPECT_EQ(selector.numberOfSection(), 3);
  EXPECT_EQ(selector.colorId(), QStringLiteral("red"));
  for (int i = -1; i <= 4; ++i) selector.setTextWithIndex(QStringLiteral("T%1").arg(i), i);
  EXPECT_EQ(selector.btn1()->title(), QStringLiteral("T0"));
  EXPECT_EQ(selector.btn3()->title(), QStringLiteral("T2"));
  EXPECT_EQ(selector.button(3), nullptr);
}

TEST_F(SliderTextTest, ATapHasSelectedBeforeTheScreenHearsTheLift) {
  CustomSliderText selector(QPoint(10, 10), 2, 0, QStringLiteral("green"), &host);
  selector.show();
  int heardSection = -1;
  double heardBar = -1;
  QObject::connect(selector.btn2(), &ui::Control::touchUpInside, [&] {
    heardSection = selector.selectedSection();
    heardBar = selector.cSlider()->value();
  });
  uitest::tap(selector.btn2());
  EXPECT_EQ(heardSection, 1);
  EXPECT_DOUBLE_EQ(heardBar, 1.0);
  // The bar only shows the choice: a finger on it reaches the buttons above, never the bar.
  uitest::tap(&selector, QPoint(20, 60));
  EXPECT_EQ(selector.selectedSection(), 0);
  EXPECT_DOUBLE_EQ(selector.cSlider()->value(), 0.0);
}

TEST_F(SliderTextTest, ALiftOutsideTheButtonPutsTheSelectionBack) {
  CustomSliderText selector(QPoint(10, 10), 3, 2, QStringLiteral("orange1"), &host);
  selector.show();
  int lifts = 0;
  QObject::connect(selector.btn1(), &ui::Control::touchUpInside, [&] { ++lifts; });
  uitest::press(selector.btn1(), QPoint(35, 30));
  EXPECT_EQ(selector.selectedSection(), 0);  // shown as soon as the finger lands
  uitest::move(selector.btn1(), QPoint(35, 150));
  uitest::release(selector.btn1(), QPoint(35, 150));
  EXPECT_EQ(lifts, 0);
  EXPECT_EQ(selector.selectedSection(), 2);
  EXPECT_DOUBLE_EQ(selector.cSlider()->value(), 1.0);
}

TEST_F(SliderTextTest, BarThumbSitsUnderTheSelectedButton) {
  for (int n : {2, 3, 4}) {
    CustomSliderText selector(QPoint(0, 0), n, 0, QStringLiteral("blue"), &host);
    for (int k = 0; k < n; ++k) {
      selector.setSelectedWithoutAnim(k);
      EXPECT_NEAR(selector.cSlider()->thumbCentreX(), selector.button(k)->geometry().center().x() + 0.5, 0.6)
          << n << " positions, position " << k;
    }
  }
}
