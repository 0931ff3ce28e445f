#include "screens/energies/MyEnergiesController.h"

#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/Views.h"

namespace {
constexpr int kWidth = 320;
constexpr int kViewHeight = 416;
}  // namespace

MyEnergiesController::MyEnergiesController(QObject* parent) : ui::Screen(parent) {}

void MyEnergiesController::loadView() {
  auto* view = new QWidget();
  view->resize(kWidth, kViewHeight);
  ui::setBackgroundColor(view, ui::rgb(0.922, 0.922, 0.929));

  auto* header = new ui::ImageView(QRect(0, 0, kWidth, kHeaderHeight), view);
  header->setImageName(QStringLiteral("top_myconsumption.png"));
  auto* title = new ui::Label(QRect(74, 0, 236, kHeaderHeight), view);
  title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 26));
  title->setTextColor(Qt::white);
  title->setText(foundation::localized("CONSUMPTION"));

  // The notice, on a card with the feature's picture.
  auto* card = new ui::ImageView(QRect(10, 84, 300, 236), view);
  card->setImage(ui::Images::named(QStringLiteral("section_bottom_bg.png")).stretchable(14, 14));
  auto* picture = new ui::ImageView(QStringLiteral("energies_soon.png"), card);
  picture->move((card->width() - picture->width()) / 2, 26);
  auto* notice = new ui::Label(QRect(0, 138, 300, 22), card);
  notice->setObjectName(QStringLiteral("soonAvailable"));
  notice->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 17));
  notice->setTextColor(QColor(0x1d, 0x28, 0x3a));
  notice->setTextAlignment(Qt::AlignHCenter);
  notice->setText(foundation::localized("Soon Available"));
  auto* detail = new ui::Label(QRect(24, 166, 252, 44), card);
  detail->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 13));
  detail->setTextColor(QColor(0x6b, 0x76, 0x87));
  detail->setTextAlignment(Qt::AlignHCenter);
  detail->setNumberOfLines(2);
  detail->setText(foundation::localized("kEnergiesSoonDetail"));
  setView(view);
}
