#include "screens/safety/MySafetyController.h"

#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"

#include "backend/BENotifications.h"
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

#include <algorithm>
#include <array>

namespace {

constexpr int kWidth = 320;
constexpr int kViewHeight = 416;
const QString kIntrusion = QStringLiteral("INTRUSION");
const QString kDomestic = QStringLiteral("DOMESTIC");
const QString kAssistance = QStringLiteral("ASSISTANCE");
const QString kColorId = QStringLiteral("orange1");
// The intrusion selector's positions, in order.
const std::array<QString, 3> kIntrusionModes{QStringLiteral("OFF"), QStringLiteral("PRESENCE"), QStringLiteral("ON")};

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

bool isDomain(const QString& domain) { return domain == kIntrusion || domain == kDomestic || domain == kAssistance; }

}  // namespace

MySafetyController::MySafetyController(QObject* parent) : ui::Screen(parent) {
  // The controls start at intrusion off, both switches off.
  for (const QString& domain : {kIntrusion, kDomestic, kAssistance}) m_shown.insert(domain, QStringLiteral("OFF"));
  // Modes already stored show at once, until the answer.
  if (!BESessionManager::getInstance().modes().empty()) onGetAlarmMode();
  // Any mode list, whoever asked for it, is news for this screen.
  m_observations.add(kSuccessModeGetList, [this](const foundation::Notification& n) {
    if (!backend::ServiceCalls::isUnchanged(n)) onGetAlarmMode();
  });
  m_observations.add(kErrorModeGetList, [](const foundation::Notification&) {
    qCWarning(lcApp, "%s [Line %d] An error occurred while getting sensors", "callGetMode", __LINE__);
  });
  callGetMode();
}

MySafetyController::~MySafetyController() = default;

void MySafetyController::callGetMode() {
  const bool haveSome = !BESessionManager::getInstance().modes().empty();
  m_calls.call([] { BEServiceMode::getInstance().getList(); }, {}, {},
               haveSome ? backend::ServiceCalls::Overlay::None : backend::ServiceCalls::Overlay::Show);
}

void MySafetyController::refresh() {
  m_calls.refresh([] { BEServiceMode::getInstance().getList(); }, {});
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
  for (int i = 0; i < 3; ++i) {
    m_sliderAlarm->setTextWithIndex(foundation::localized(titles[i]), i);
    connect(m_sliderAlarm->button(i), &ui::Control::touchUpInside, this, [this] { changeAlarmMode(); });
  }

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
  connect(m_switchDomestic, &ui::Control::valueChanged, this, [this](ui::Control* sender) { changeDomesticMode(sender); });
  connect(m_switchHomehelp, &ui::Control::valueChanged, this, [this](ui::Control* sender) { changeAssistanceMode(sender); });

  auto* hint = new ui::Label(QRect(24, 318, 272, 36), view);
  hint->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 12));
  hint->setTextColor(QColor(0x6b, 0x76, 0x87));
  hint->setTextAlignment(Qt::AlignHCenter);
  hint->setNumberOfLines(2);
  hint->setText(foundation::localized("kSafetyHint"));

  setView(view);
  // An answer that came before the view shows now.
  for (const QString& domain : {kIntrusion, kDomestic, kAssistance}) showMode(domain, false);
}

void MySafetyController::onGetAlarmMode() {
  for (const auto& record : BESessionManager::getInstance().modes()) {
    if (!record || !record->subCategory || !record->mode) continue;
    const QString domain = QString::fromStdString(*record->subCategory);
    const QString mode = QString::fromStdString(*record->mode);
    if (!isDomain(domain)) continue;
    if (domain == kIntrusion && std::find(kIntrusionModes.begin(), kIntrusionModes.end(), mode) == kIntrusionModes.end()) {
      continue;  // a mode the selector has no position for changes nothing
    }
    if (domain != kIntrusion && mode != QLatin1String("ON") && mode != QLatin1String("OFF")) continue;
    m_confirmed.insert(domain, mode);
  }
  refreshModes();
}

void MySafetyController::refreshModes() {
  for (const QString& domain : {kIntrusion, kDomestic, kAssistance}) {
    // A domain with a command out keeps what the user chose until the answer decides.
    if (m_pending.value(domain) == 0) showMode(domain, true);
  }
}

void MySafetyController::showMode(const QString& domain, bool animated) {
  const QString mode = m_confirmed.value(domain, m_shown.value(domain));
  m_shown.insert(domain, mode);
  if (!isViewLoaded() || !m_sliderAlarm) return;
  if (domain == kIntrusion) {
    const auto it = std::find(kIntrusionModes.begin(), kIntrusionModes.end(), mode);
    if (it == kIntrusionModes.end()) return;
    const int section = int(it - kIntrusionModes.begin());
    if (animated) {
      m_sliderAlarm->setSelected(section);
    } else {
      m_sliderAlarm->setSelectedWithoutAnim(section);
    }
    return;
  }
  CustomSwitch* control = domain == kDomestic ? m_switchDomestic : m_switchHomehelp;
  control->setOnAnimated(mode == QLatin1String("ON"), animated);
}

void MySafetyController::changeAlarmMode() {
  const int section = m_sliderAlarm ? m_sliderAlarm->selectedSection() : -1;
  if (section < 0 || section >= int(kIntrusionModes.size())) return;
  putMode(kIntrusionModes[size_t(section)], kIntrusion);
}

void MySafetyController::changeDomesticMode(ui::Control* sender) {
  auto* control = qobject_cast<CustomSwitch*>(sender);
  if (!control) return;
  putMode(control->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF"), kDomestic);
}

void MySafetyController::changeAssistanceMode(ui::Control* sender) {
  auto* control = qobject_cast<CustomSwitch*>(sender);
  if (!control) return;
  putMode(control->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF"), kAssistance);
}

void MySafetyController::putMode(const QString& mode, const QString& domain) {
  // What the control showed before the first command still out: it comes back if the service
  // refuses and has never told this screen a mode for the domain.
  if (m_pending.value(domain) == 0) m_beforeCommands.insert(domain, m_shown.value(domain));
  m_shown.insert(domain, mode);
  ++m_pending[domain];
  // The answers settle the domain: an accepted mode becomes the confirmed one, and once no
  // command is out the control shows the confirmed mode, so a refused one never stays.
  m_calls.call([mode, domain] { BEServiceMode::getInstance().putModeForSubCategory(mode, domain); },
               [this, mode, domain] {
                 m_confirmed.insert(domain, mode);
                 settle(domain);
               },
               [this, domain] { settle(domain); });
}

void MySafetyController::settle(const QString& domain) {
  if (--m_pending[domain] > 0) return;
  if (!m_confirmed.contains(domain)) m_shown.insert(domain, m_beforeCommands.value(domain));
  showMode(domain, true);
}
