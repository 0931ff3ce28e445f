#include "controls/alarm/AlarmModes.h"

#include "backend/AlarmLock.h"
#include "backend/BEServiceMode.h"
#include "backend/BESessionManager.h"
#include "controls/lock/CodePrompt.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"
#include "ui/Window.h"

#include <array>

namespace controls {

const QString AlarmModes::kIntrusion = QStringLiteral("INTRUSION");
const QString AlarmModes::kDomestic = QStringLiteral("DOMESTIC");
const QString AlarmModes::kAssistance = QStringLiteral("ASSISTANCE");

namespace {
// The intrusion selector's positions, in order.
const std::array<QString, 3> kIntrusionModes{QStringLiteral("OFF"), QStringLiteral("PRESENCE"), QStringLiteral("ON")};

int positionOf(const QString& mode) {
  for (std::size_t i = 0; i < kIntrusionModes.size(); ++i)
    if (kIntrusionModes[i] == mode) return int(i);
  return -1;
}

backend::Home& home() { return BESessionManager::getInstance().home(); }
}  // namespace

AlarmModes::AlarmModes(CustomSliderText* intrusion, CustomSwitch* domestic, CustomSwitch* assistance, QObject* parent)
    : QObject(parent), m_intrusion(intrusion), m_domestic(domestic), m_assistance(assistance) {
  for (int k = 0; k < 3; ++k) {
    CustomButton* button = m_intrusion->button(k);
    connect(button, &ui::Control::touchUpInside, this, &AlarmModes::changeIntrusion);
    // The selector moved as the finger landed; a touch that ends elsewhere chose nothing.
    connect(button, &ui::Control::touchUpOutside, this, [this] { show(kIntrusion, true); });
    connect(button, &ui::Control::touchCancel, this, [this] { show(kIntrusion, true); });
  }
  connect(m_domestic, &ui::Control::valueChanged, this, &AlarmModes::changeDomestic);
  connect(m_assistance, &ui::Control::valueChanged, this, &AlarmModes::changeAssistance);

  backend::Home& shown = home();
  for (const QString& domain : {kIntrusion, kDomestic, kAssistance}) m_shown.insert(domain, modeShownBy(domain));
  connect(&shown, &backend::Home::modeChanged, this, [this](const QString& domain) { show(domain, true); });
  for (auto changed : {&backend::Home::modesChanged, &backend::Home::dashboardChanged, &backend::Home::cleared})
    connect(&shown, changed, this, [this] { showAll(true); });
  showAll(false);
}

void AlarmModes::showAll(bool animated) {
  for (const QString& domain : {kIntrusion, kDomestic, kAssistance}) show(domain, animated);
}

void AlarmModes::changeIntrusion() {
  const int section = m_intrusion ? m_intrusion->selectedSection() : -1;
  if (section >= 0 && section < int(kIntrusionModes.size())) send(kIntrusion, kIntrusionModes[std::size_t(section)]);
}

void AlarmModes::changeDomestic() {
  if (m_domestic) send(kDomestic, m_domestic->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void AlarmModes::changeAssistance() {
  if (m_assistance) send(kAssistance, m_assistance->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

QString AlarmModes::modeShownBy(const QString& domain) const {
  if (domain == kIntrusion) {
    const int section = m_intrusion ? m_intrusion->selectedSection() : -1;
    return section >= 0 && section < int(kIntrusionModes.size()) ? kIntrusionModes[std::size_t(section)] : QString();
  }
  const CustomSwitch* control = domain == kDomestic ? m_domestic : m_assistance;
  return control && control->isOn() ? QStringLiteral("ON") : QStringLiteral("OFF");
}

bool AlarmModes::lowersProtection(const QString& domain, const QString& mode) const {
  if (domain == kDomestic) return mode == QLatin1String("OFF");
  if (domain != kIntrusion) return false;
  const int to = positionOf(mode);
  const int from = positionOf(m_shown.value(domain));
  return to >= 0 && to < positionOf(QStringLiteral("ON")) && (from < 0 || to < from);
}

void AlarmModes::send(const QString& domain, const QString& mode) {
  // Every mode command of every screen comes here: this is where lowering the protection asks
  // the alarm code, when one is set. The control already shows the new mode meanwhile.
  if (!lowersProtection(domain, mode) || !backend::AlarmLock().hasCode()) {
    sendNow(domain, mode);
    return;
  }
  if (m_asking) {
    // One question at a time: a second lowering while the pad is up is not sent.
    putBack(domain);
    return;
  }
  QWidget* control = domain == kIntrusion ? static_cast<QWidget*>(m_intrusion.data()) : m_domestic.data();
  m_asking = true;
  const QPointer<AlarmModes> self(this);
  CodePrompt::ask(control ? qobject_cast<ui::Window*>(control->window()) : nullptr, QString(),
                  [self, domain, mode](bool granted) {
                    if (!self) return;
                    self->m_asking = false;
                    granted ? self->sendNow(domain, mode) : self->putBack(domain);
                  });
}

void AlarmModes::putBack(const QString& domain) {
  const QString before = m_shown.value(domain);
  if (domain == kIntrusion) {
    if (const int position = positionOf(before); m_intrusion && position >= 0) m_intrusion->setSelected(position);
  } else if (CustomSwitch* control = domain == kDomestic ? m_domestic : m_assistance) {
    control->setOnAnimated(before == QLatin1String("ON"), true);
  }
}

void AlarmModes::sendNow(const QString& domain, const QString& mode) {
  // The control already shows the new mode; what it showed before comes back if the command is
  // refused while no mode of the domain is known.
  if (home().commandsOut({backend::Home::Kind::Mode, domain}) == 0) m_beforeCommands.insert(domain, m_shown.value(domain));
  m_shown.insert(domain, mode);
  m_calls.call(BEServiceMode::getInstance().putModeForSubCategory(mode, domain), {}, {});
}

void AlarmModes::show(const QString& domain, bool animated) {
  QString mode;
  if (home().isModeKnown(domain)) {
    mode = home().mode(domain);
  } else if (home().commandsOut({backend::Home::Kind::Mode, domain}) == 0 && m_beforeCommands.contains(domain)) {
    mode = m_beforeCommands.take(domain);
  } else {
    return;
  }
  if (domain == kIntrusion) {
    const int position = positionOf(mode);
    // A mode outside the three leaves the selector as it is.
    if (!m_intrusion || position < 0) return;
    m_shown.insert(domain, mode);
    if (position != m_intrusion->selectedSection())
      animated ? m_intrusion->setSelected(position) : m_intrusion->setSelectedWithoutAnim(position);
    return;
  }
  // A switch knows only on and off.
  if (mode != QLatin1String("ON") && mode != QLatin1String("OFF")) return;
  m_shown.insert(domain, mode);
  if (CustomSwitch* control = domain == kDomestic ? m_domestic : m_assistance)
    control->setOnAnimated(mode == QLatin1String("ON"), animated);
}

}  // namespace controls
