// The settings' sections about the alarm: its code and when it is asked, and what the app does
// for alarms while its window is not in front.
#include "screens/settings/MySettingsController.h"
#include "screens/settings/SettingsMetrics.h"

#include "controls/OnOffSwitch.h"
#include "controls/RowButton.h"
#include "controls/lock/CodePrompt.h"

#include "backend/AlarmLock.h"
#include "backend/BackgroundPreferences.h"
#include "foundation/Strings.h"
#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/Fonts.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/Window.h"

#include <QPointer>

using namespace settings_metrics;

namespace {

constexpr int kLight = int(controls::RowButton::Style::Light);
constexpr int kDestructive = int(controls::RowButton::Style::Destructive);

QString afterText(int minutes) {
  return minutes == 0 ? foundation::localized("kTradCodeAfterNever") : foundation::localized("kTradCodeAfterMinutes").arg(minutes);
}

ui::Label* smallNote(const QRect& frame, const QColor& color, QWidget* parent) {
  auto* note = new ui::Label(frame, parent);
  note->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 12));
  note->setTextColor(color);
  note->setNumberOfLines(2);
  return note;
}

}  // namespace

const QList<int>& MySettingsController::askAfterChoices() {
  static const QList<int> choices{0, 1, 5, 15, 60};
  return choices;
}

controls::OnOffSwitch* MySettingsController::switchRow(int y, const QString& title, const QString& detail,
                                                      std::function<void(bool)> changed) {
  controls::RowButton* card = row(y, title, kLight);
  card->setDetail(detail);
  card->setAccessoryWidth(controls::OnOffSwitch::kWidth + 8);
  card->setFocusPolicy(Qt::NoFocus);  // the switch takes the keyboard, and says what it turns
  auto* toggle = new controls::OnOffSwitch(
      QPoint(card->width() - 8 - controls::OnOffSwitch::kWidth, (kRowHeight - controls::OnOffSwitch::kHeight) / 2), card);
  toggle->setAccessibleName(title);
  // A tap anywhere on the row is a tap on its switch, as the whole row reads as one choice.
  connect(card, &ui::Control::touchUpInside, toggle, [toggle] { toggle->activate(); });
  connect(toggle, &ui::Control::valueChanged, this, [toggle, changed = std::move(changed)] { changed(toggle->isOn()); });
  return toggle;
}

int MySettingsController::buildAlarmCode(int y) {
  m_lock = new backend::AlarmLock(this);
  connect(m_lock, &backend::AlarmLock::changed, this, &MySettingsController::showAlarmCode);

  y = section("kTradSettingsAlarmCode", y);
  m_codeRow = row(y, QString(), kLight);
  m_codeRow->setObjectName(QStringLiteral("settingsCode"));
  m_codeRow->setShowsChevron(true);
  connect(m_codeRow, &ui::Control::touchUpInside, this, [this] { chooseOrChangeCode(); });
  y += kStep;
  m_removeCode = row(y, foundation::localized("kTradCodeRemove"), kDestructive);
  connect(m_removeCode, &ui::Control::touchUpInside, this, [this] { removeCode(); });
  y += kStep;

  m_askAtStart = switchRow(y, foundation::localized("kTradCodeAskAtStart"), QString(), [this](bool on) {
    if (on) {
      m_lock->setAskAtStart(true);
      return;
    }
    // Asking less is lowering the protection: it takes the code, as lowering the alarm does.
    QPointer<MySettingsController> self(this);
    controls::CodePrompt::ask(qobject_cast<ui::Window*>(m_view->window()), QString(), [self](bool granted) {
      if (!self) return;
      if (granted) self->m_lock->setAskAtStart(false);
      self->showAlarmCode();
    });
  });
  y += kStep;

  m_askAfterCaption = smallNote(QRect(kMargin + 4, y, kWidth - 2 * kMargin - 8, 24), QColor(0x5b, 0x67, 0x78), m_scroll->contentView());
  m_askAfterCaption->setNumberOfLines(1);
  m_askAfterCaption->setText(foundation::localized("kTradCodeAskAfter"));
  y += 26;
  for (int minutes : askAfterChoices()) {
    controls::RowButton* choice = row(y, afterText(minutes), kLight);
    connect(choice, &ui::Control::touchUpInside, this, [this, minutes] { chooseAskAfter(minutes); });
    m_askAfterRows << choice;
    y += kStep;
  }
  showAlarmCode();
  return y;
}

int MySettingsController::buildBackground(int y) {
  namespace background = backend::background;
  y = section("kTradSettingsBackground", y);
  m_stay = switchRow(y, foundation::localized("kTradBackgroundStay"), QString(), [this](bool on) {
    background::setStaysInBackground(on);
    showBackground();
  });
  y += kStep;
  m_session = switchRow(y, foundation::localized("kTradBackgroundSession"), QString(), [this](bool on) {
    QString error;
    const bool written = background::setStartsWithSession(on, &error);
    showBackground();
    if (!written) m_backgroundNote->setText(foundation::localized("kTradBackgroundSessionFailed").arg(error));
  });
  y += kStep;
  m_everyEvent = switchRow(y, foundation::localized("kTradBackgroundEveryEvent"), foundation::localized("kTradBackgroundEveryEventDetail"),
                           [this](bool on) {
                             background::setEveryEvent(on);
                             showBackground();
                           });
  y += kStep;
  m_backgroundNote = smallNote(QRect(kMargin + 4, y - 2, kWidth - 2 * kMargin - 8, 34), QColor(0xc0, 0x3b, 0x3b), m_scroll->contentView());
  m_backgroundNote->setObjectName(QStringLiteral("backgroundNote"));
  y += 34;
  showBackground();
  return y;
}

void MySettingsController::showAlarmCode() {
  if (!m_lock || !m_askAfterCaption) return;  // not built yet
  const bool hasCode = m_lock->hasCode();
  m_codeRow->setTitle(foundation::localized(hasCode ? "kTradCodeChange" : "kTradCodeChoose"));
  m_codeRow->setDetail(hasCode ? QString() : foundation::localized("kTradCodeNone"));
  m_removeCode->setEnabled(hasCode);
  // Without a code there is nothing to ask: the options wait, as they were, for one.
  m_askAtStart->parentWidget()->setEnabled(hasCode);
  m_askAtStart->setOn(m_lock->askAtStart());
  m_askAfterCaption->setEnabled(hasCode);
  const int minutes = m_lock->backgroundMinutes();
  for (int i = 0; i < m_askAfterRows.size(); ++i) {
    m_askAfterRows[i]->setEnabled(hasCode);
    m_askAfterRows[i]->setChecked(askAfterChoices().value(i) == minutes);
  }
}

void MySettingsController::showBackground() {
  if (!m_backgroundNote) return;  // not built yet
  m_stay->setOn(backend::background::staysInBackground());
  m_session->setOn(backend::background::startsWithSession());
  m_everyEvent->setOn(backend::background::everyEvent());
  m_backgroundNote->setText(QString());
}

void MySettingsController::chooseOrChangeCode() {
  if (!m_lock) return;
  QPointer<MySettingsController> self(this);
  // The prompt keeps its own lock: this screen reads the outcome from the preferences once done.
  auto done = [self](bool) {
    if (self) self->showAlarmCode();
  };
  auto* window = qobject_cast<ui::Window*>(m_view->window());
  if (m_lock->hasCode())
    controls::CodePrompt::change(window, done);
  else
    controls::CodePrompt::choose(window, done);
}

void MySettingsController::removeCode() {
  if (!m_lock || !m_lock->hasCode()) return;
  QPointer<MySettingsController> self(this);
  controls::CodePrompt::remove(qobject_cast<ui::Window*>(m_view->window()), [self](bool) {
    if (self) self->showAlarmCode();
  });
}

void MySettingsController::chooseAskAfter(int minutes) {
  if (!m_lock || !m_lock->hasCode()) return;
  const int now = m_lock->backgroundMinutes();
  if (minutes == now) return;
  // A shorter wait asks more often; a longer one (or never) lowers the protection and takes the code.
  if (minutes != 0 && (now == 0 || minutes <= now)) {
    m_lock->setBackgroundMinutes(minutes);
    return;
  }
  QPointer<MySettingsController> self(this);
  controls::CodePrompt::ask(qobject_cast<ui::Window*>(m_view->window()), QString(), [self, minutes](bool granted) {
    if (!self) return;
    if (granted) self->m_lock->setBackgroundMinutes(minutes);
    self->showAlarmCode();
  });
}
