// The segmented selectors in the controls gallery: two, three and four positions with the titles
// the screens give them; the further states show taps on other positions and other themes.
#include "controls/gallery/GalleryPage.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"

#include "ui/Label.h"

#include "foundation/Strings.h"

using foundation::localized;

namespace controls::gallery {
namespace {

struct Row {
  const char* caption;
  std::vector<const char*> titles;
  int selected;
  const char* color;
  const char* otherColor;
};

const std::vector<Row>& rows() {
  static const std::vector<Row> r{
      {"kCtrlGalleryTwoPositions", {"kCtrlGallerySpeedLow", "kCtrlGallerySpeedHigh"}, 0, "green", "blue"},
      {"kCtrlGalleryThreePositions", {"kCtrlGalleryModeOff", "kCtrlGalleryModePartial", "kCtrlGalleryModeTotal"}, 1,
       "orange1", "purple"},
      {"kCtrlGalleryFourPositions",
       {"kCtrlGalleryHeatOff", "kCtrlGalleryHeatFrost", "kCtrlGalleryHeatEco", "kCtrlGalleryHeatComfort"}, 3, "red",
       "syan"},
  };
  return r;
}

class SlidersGalleryPage : public GalleryPage {
 public:
  SlidersGalleryPage() { build(false); }

  QString name() const override { return QStringLiteral("sliders"); }
  QString title() const override { return localized("kCtrlGallerySliders"); }
  QStringList states() const override { return {QStringLiteral("tapped"), QStringLiteral("themes")}; }

  void enterState(const QString& state) override {
    if (state == QLatin1String("tapped")) {
      // The finger lands on the first position of each selector.
      for (CustomSliderText* selector : m_selectors) tap(selector->btn1());
    } else if (state == QLatin1String("themes")) {
      build(true);
    }
  }

 private:
  void build(bool otherColors) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) delete child;
    m_selectors.clear();
    int y = 10;
    for (const Row& row : rows()) {
      addSectionTitle(localized(row.caption), y)->show();
      QWidget* card = addCard(QRect(10, y + 18, 300, 100));
      const int n = int(row.titles.size());
      const int width = n * CustomSliderText::kSectionWidth;
      auto* selector = new CustomSliderText(QPoint((300 - width) / 2, 15), n, row.selected,
                                            QString::fromLatin1(otherColors ? row.otherColor : row.color), card);
      for (int i = 0; i < n; ++i) selector->setTextWithIndex(localized(row.titles[size_t(i)]), i);
      m_selectors << selector;
      card->show();
      y += 134;
    }
  }

  QList<CustomSliderText*> m_selectors;
};

}  // namespace

GalleryPage* makeSlidersGalleryPage() { return new SlidersGalleryPage(); }

}  // namespace controls::gallery
