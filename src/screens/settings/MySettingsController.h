#pragma once
// The settings, opened from the menu's bar: who is signed in and on which server, signing out
// (and erasing what this account stored), the other accounts, the texts' language, how often the
// open screen reads again, the certificates trusted on first use, erasing the stored answers, and
// what the app is made of with its licences.
//
// The screen decides nothing about sessions itself: signing out and switching accounts are asked
// of the app (kSignOutRequested), which takes every screen away, this one included.
#include "controls/TourStates.h"
#include "ui/Screen.h"

#include <QList>
#include <QString>

namespace controls {
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

  // The actions of the rows, for the keyboard, the tests and the rows alike.
  void signOut(bool eraseData);
  void switchAccount();
  void chooseLanguage(const QString& language);  // "fr", "en", "" for the system's
  void chooseRefreshInterval(int seconds);
  // Asks whether to forget the certificate of that row's server, and forgets it if so.
  void askToForgetCertificate(int row);
  void forgetCertificate(const QString& server);
  void eraseStoredData();

  std::vector<State> tourStates() override;

 protected:
  void loadView() override;

 private:
  // Lays the sections out from the current preferences, top to bottom.
  void build();
  int section(const char* captionKey, int y);
  controls::RowButton* row(int y, const QString& title, int style);
  void showChecks();
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
};
