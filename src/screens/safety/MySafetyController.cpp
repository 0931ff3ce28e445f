#include "screens/safety/MySafetyController.h"

#include "controls/alarm/AlarmModes.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"

#include "backend/BEServiceMode.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "foundation/Logging.h"
#include "foundation/Strings.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/Views.h"


namespace {

constexpr int kWidth = 320;
constexpr int kViewHeight = 416;
const QString kColorId = QStringLiteral("orange1");

const QColor kTextColor(0x1d, 0x28, 0x3a);

// A block on its card picture. The picture lies beneath as a child of its own: a picture takes no
// touches and would keep them from the controls it held.
QWidget* card(const QRect& frame, QWidget* parent) {
  auto* block = new QWidget(parent);
  block->setGeometry(frame);
  auto* background = new ui::ImageView(QRect(QPoint(0, 0), frame.size()), block);
  background->setImage(ui::Images::named(QStringLiteral("section_bottom_bg.png")).stretchable(14, 14));
  return block;
}

ui::Label* rowLabel(const QString& text, const QRect& frame, QWidget* parent, double size, int lines) {
  auto* label = new ui::Label(frame, parent);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), size));
  label->setTextColor(kTextColor);
  label->setNumberOfLines(lines);
  label->setText(text);
  return label;
}

}  // namespace

MySafetyController::MySafetyController(QObject* parent) : ui::Screen(parent) { callGetMode(); }

MySafetyController::~MySafetyController() = default;

void MySafetyController::callGetMode() {
  // Modes already stored show at once; the overlay would only hide them.
  const bool haveSome = !BESessionManager::getInstance().modes().empty();
  m_calls.call(BEServiceMode::getInstance().getList(), {},
               [] { qCWarning(lcApp, "%s [Line %d] An error occurred while getting sensors", "callGetMode", __LINE__); },
               haveSome ? backend::ServiceCalls::Overlay::None : backend::ServiceCalls::Overlay::Show);
}

void MySafetyController::refresh() { m_calls.refresh(BEServiceMode::getInstance().getList(), {}); }

QString MySafetyController::confirmedMode(const QString& domain) const {
  return BESessionManager::getInstance().home().ledger().confirmed({backend::Home::Kind::Mode, domain}).value_or(QString());
}

int MySafetyController::pendingCommands(const QString& domain) const {
  return int(BESessionManager::getInstance().home().commandsOut({backend::Home::Kind::Mode, domain}));
}

void MySafetyController::refreshModes() {
  if (m_modes) m_modes->showAll(true);
}

void MySafetyController::loadView() {
  auto* view = new QWidget();
  view->resize(kWidth, kViewHeight);
  ui::setBackgroundColor(view, ui::rgb(0.922, 0.922, 0.929));

  auto* header = new ui::ImageView(QRect(0, 0, kWidth, kHeaderHeight), view);
  header->setImageName(QStringLiteral("top_mysecurity.png"));
  auto* title = new ui::Label(QRect(74, 0, 236, kHeaderHeight), view);
  title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 26));
  title->setTextColor(Qt::white);
  title->setText(foundation::localized("SAFETY"));

  // Intrusion: the label beside the three-position selector.
  QWidget* intrusion = card(QRect(10, 74, 300, 100), view);
  ui::Label* intrusionLabel = rowLabel(foundation::localized("My security intrusion"), QRect(14, 3, 74, 80), intrusion, 12, 3);
  m_sliderAlarm = new CustomSliderText(QPoint(300 - 6 - 3 * CustomSliderText::kSectionWidth, 15), 3, 0, kColorId, intrusion);
  intrusionLabel->setBuddy(m_sliderAlarm);  // the selector reads as the domain it sets
  const char* titles[] = {"MODE ETEINT", "MODE PARTIEL", "MODE TOTAL"};
  for (int i = 0; i < 3; ++i) m_sliderAlarm->setTextWithIndex(foundation::localized(titles[i]), i);

  // Domestic safety and home help: a row each, label, separator, switch.
  QWidget* switches = card(QRect(10, 186, 300, 122), view);
  auto row = [&](const char* key, int y) {
    ui::Label* label = rowLabel(foundation::localized(key), QRect(16, y, 188, 60), switches, 13, 2);
    auto* line = new ui::ImageView(QStringLiteral("v_line.png"), switches);
    line->setGeometry(210, y + 13, 1, 33);
    auto* control = new CustomSwitch(QPoint(300 - 12 - CustomSwitch::kWidth, y + 15), false, kColorId, switches);
    label->setBuddy(control);
    return control;
  };
  m_switchDomestic = row("Ma sécurité domestique", 1);
  auto* separator = new ui::ImageView(QRect(12, 61, 276, 1), switches);
  separator->setImageName(QStringLiteral("h_line.png"));
  m_switchHomehelp = row("My home help", 61);

  auto* hint = new ui::Label(QRect(24, 318, 272, 36), view);
  hint->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 12));
  hint->setTextColor(QColor(0x6b, 0x76, 0x87));
  hint->setTextAlignment(Qt::AlignHCenter);
  hint->setNumberOfLines(2);
  hint->setText(foundation::localized("kSafetyHint"));

  setView(view);
  // What the home shows for each domain, from now on.
  m_modes = new controls::AlarmModes(m_sliderAlarm, m_switchDomestic, m_switchHomehelp, this);
}
