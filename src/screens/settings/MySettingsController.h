#pragma once
// The settings, opened from the menu's bar: who is signed in and on which server, signing out
// (and erasing what this account stored), the other accounts, the alarm code and when it is asked,
// what the app does in the background, the texts' language, how often the
// open screen reads again, the certificates trusted on first use, erasing the stored answers, and
// what the app is made of with its licences.
//
// The screen decides nothing about sessions itself: signing out and switching accounts are asked
// of the app (kSignOutRequested), which takes every screen away, this one included.
#include "controls/TourStates.h"
#include "ui/Screen.h"

#include <QList>
#include <QStringList>
#include <QString>

#include <functional>

namespace backend {
class AlarmLock;
}
namespace controls {
class OnOffSwitch;
class RowButton;
}
namespace ui {
class Label;
class ScrollView;
}  // namespace ui

class MySettingsController : public ui::Screen, public controls::TourStates {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 60;
  // The refresh intervals offered, in seconds (0: never).
  static const QList<int>& refreshChoices();
  // After how many minutes in the background the alarm code is asked again (0: never).
  static const QList<int>& askAfterChoices();

  explicit MySettingsController(QObject* parent = nullptr);

  ui::ScrollView* scrollView() const { return m_scroll; }
  controls::RowButton* signOutRow() const { return m_signOut; }
  controls::RowButton* signOutEraseRow() const { return m_signOutErase; }
  controls::RowButton* switchAccountRow() const { return m_switchAccount; }
  controls::RowButton* eraseDataRow() const { return m_eraseData; }
  const QList<controls::RowButton*>& languageRows() const { return m_languageRows; }
  const QList<controls::RowButton*>& refreshRows() const { return m_refreshRows; }
  // One row per pinned server, in the servers' order.
  const QList<controls::RowButton*>& certificateRows() const { return m_certificateRows; }
  ui::Label* noteLabel() const { return m_note; }
  // The alarm code: the first row chooses one (none yet) or changes it, the next removes it.
  controls::RowButton* codeRow() const { return m_codeRow; }
  controls::RowButton* removeCodeRow() const { return m_removeCode; }
  controls::OnOffSwitch* askAtStartSwitch() const { return m_askAtStart; }
  const QList<controls::RowButton*>& askAfterRows() const { return m_askAfterRows; }
  // What the app does when its window is not in front.
  controls::OnOffSwitch* staySwitch() const { return m_stay; }
  controls::OnOffSwitch* sessionSwitch() const { return m_session; }
  controls::OnOffSwitch* everyEventSwitch() const { return m_everyEvent; }
  ui::Label* backgroundNote() const { return m_backgroundNote; }

  // The actions of the rows, for the keyboard, the tests and the rows alike.
  void signOut(bool eraseData);
  void switchAccount();
  void chooseLanguage(const QString& language);  // "fr", "en", "" for the system's
  void chooseRefreshInterval(int seconds);
  // Asks whether to forget the certificate of that row's server, and forgets it if so.
  void askToForgetCertificate(int row);
  void forgetCertificate(const QString& server);
  void eraseStoredData();
  // The code through its prompts (which ask the current code where one is set).
  void chooseOrChangeCode();
  void removeCode();
  void chooseAskAfter(int minutes);

  std::vector<State> tourStates() override;

 protected:
  void loadView() override;

 private:
  // Lays the sections out from the current preferences, top to bottom.
  void build();
  int section(const char* captionKey, int y);
  controls::RowButton* row(int y, const QString& title, int style);
  // A row whose switch (also turned by a tap on the row) runs `changed` with its new state.
  controls::OnOffSwitch* switchRow(int y, const QString& title, const QString& detail, std::function<void(bool)> changed);
  int buildAlarmCode(int y);
  int buildBackground(int y);
  void showChecks();
  void showAlarmCode();
  void showBackground();
  void say(const QString& note);

  QWidget* m_view = nullptr;
  ui::ScrollView* m_scroll = nullptr;
  controls::RowButton* m_account = nullptr;
  controls::RowButton* m_switchAccount = nullptr;
  controls::RowButton* m_signOut = nullptr;
  controls::RowButton* m_signOutErase = nullptr;
  controls::RowButton* m_eraseData = nullptr;
  QList<controls::RowButton*> m_languageRows;
  QList<controls::RowButton*> m_refreshRows;
  QList<controls::RowButton*> m_certificateRows;
  QStringList m_certificateServers;
  ui::Label* m_note = nullptr;
  ui::Label* m_languageNote = nullptr;
  backend::AlarmLock* m_lock = nullptr;
  controls::RowButton* m_codeRow = nullptr;
  controls::RowButton* m_removeCode = nullptr;
  controls::OnOffSwitch* m_askAtStart = nullptr;
  QList<controls::RowButton*> m_askAfterRows;
  ui::Label* m_askAfterCaption = nullptr;
  controls::OnOffSwitch* m_stay = nullptr;
  controls::OnOffSwitch* m_session = nullptr;
  controls::OnOffSwitch* m_everyEvent = nullptr;
  ui::Label* m_backgroundNote = nullptr;
};
