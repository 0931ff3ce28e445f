#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct FaceCase {
  const char* name;
  QFont::Weight weight;
};

void PrintTo(const FaceCase& face, std::ostream* os) { *os << face.name; }

class FontsTest : public ::testing::TestWithParam<FaceCase> {};

}  // namespace

TEST_P(FontsTest, ValdoNamesResolveToTheMatchingRobotoWeight) {
  if (!QFontDatabase::families().contains(QStringLiteral("Roboto"))) GTEST_SKIP() << "fonts-roboto is not installed";
  const FaceCase face = GetParam();
  const QFont font = ui::Fonts::font(QString::fromLatin1(face.name), 14);
  const QFontInfo info(font);
  EXPECT_TRUE(info.family().startsWith(QStringLiteral("Roboto"))) << qPrintable(info.family());
  EXPECT_EQ(info.weight(), int(face.weight)) << face.name;
  EXPECT_EQ(font.pixelSize(), 14);  // a point of the phone is a logical pixel
}

INSTANTIATE_TEST_SUITE_P(Faces, FontsTest,
                         ::testing::Values(FaceCase{"Valdo-Light", QFont::Light}, FaceCase{"Valdo-Regular", QFont::Normal},
                                           FaceCase{"Valdo-Medium", QFont::Medium}, FaceCase{"Valdo-Bold", QFont::Bold}),
                         [](const auto& info) { return std::string(info.param.name).substr(6); });

TEST(Fonts, TheFamilyNamesReachRobotoOnPlainQtFontsToo) {
  if (!QFontDatabase::families().contains(QStringLiteral("Roboto"))) GTEST_SKIP() << "fonts-roboto is not installed";
  ui::Fonts::install();
  for (const char* family : {"Valdo", "Valdo-Light", "Valdo-Bold"}) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(12);
    EXPECT_TRUE(QFontInfo(font).family().startsWith(QStringLiteral("Roboto"))) << family;
  }
}

// The configuration read ahead on its thread races the first text measured on this one: both
// must end with the same fonts (the sanitizers watch the two threads meet).
TEST(Fonts, TextMeasuredWhileTheConfigurationIsReadAheadIsTheSameAfter) {
  ui::Fonts::prepareInBackground();
  const QFont font = ui::Fonts::font(QStringLiteral("Valdo-Bold"), 15);
  const int during = QFontMetrics(font).horizontalAdvance(QStringLiteral("TavroBox"));
  ui::Fonts::waitForPreparation();
  ui::Fonts::waitForPreparation();  // once ended, nothing to wait for
  EXPECT_GT(during, 0);
  EXPECT_EQ(QFontMetrics(font).horizontalAdvance(QStringLiteral("TavroBox")), during);
  EXPECT_EQ(QFontInfo(font).family(), QFontInfo(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 15)).family());
}
