#pragma once
// The sign-in screen, shown in the login popup: user name, password, a switch to remember both,
// and a status line. Signing in goes through the login service; a success is handled by the
// application object (which hides the popup), a failure here (status line, credentials erased).
//
// The remembered user name and the auto-login flag live in the preferences, the remembered
// password's digest in the secret store (foundation::RememberedSignIn), written once the service
// accepted them. With credentials remembered, the password field stays empty and stands for them.
//
// When nothing starts the app by itself and accounts were used before, the card first offers them
// (user @ server, most recent first, whatever their server) and "Autre compte", whose fields take a
// server too: an account whose password is remembered signs in at once, another one asks for its
// password. Signing in to another server than the current one first ends the session here (as
// "Changer de compte" does) and points the services at that server.
#include "controls/TextField.h"

#include "foundation/Accounts.h"
#include "foundation/NotificationCenter.h"
#include "foundation/RememberedSignIn.h"
#include "ui/Screen.h"

#include <QPointer>

#include <functional>
#include <optional>

namespace ui {
class Button;
class Label;
}  // namespace ui

namespace app {
class AccountRows;
}

namespace controls {
class OnOffSwitch;
class RowButton;
}

class LoginViewController : public ui::Screen, public controls::TextFieldDelegate {
  Q_OBJECT
 public:
  explicit LoginViewController(QObject* parent = nullptr);
  ~LoginViewController() override;

  controls::TextField* postUserName() const { return m_postUserName; }
  controls::TextField* postPassword() const { return m_postPassword; }
  controls::OnOffSwitch* rememberState() const { return m_rememberState; }
  ui::Label* errorLabel() const { return m_errorLabel; }
  ui::Label* loginLabel() const { return m_loginLabel; }
  ui::Label* passwordLabel() const { return m_passwordLabel; }
  ui::Label* rememberLabel() const { return m_rememberLabel; }
  ui::Button* loginButton() const { return m_loginButton; }
  // The server of a new account ("Autre compte" only; hidden otherwise).
  controls::TextField* postServer() const { return m_postServer; }

  bool textFieldShouldReturn(controls::TextField* field) override;
  // Starts the sign-in with the fields as typed. Ignored while a sign-in is already under way.
  void performLogin();
  void onLoginAccountError();
  void onLoginSuccess();
  // The password field gives up the keyboard.
  void hideKeyboard();
  bool isSigningIn() const { return m_signingIn; }

  // The account list (empty rows when it is not offered) and its "other account" row.
  const QList<controls::RowButton*>& accountRows() const;
  controls::RowButton* otherAccountRow() const { return m_otherAccount; }
  // Over the fields, back to the list (when there is one).
  ui::Button* accountsLink() const { return m_accountsLink; }
  bool showsAccounts() const;
  // Shows the account list (after a sign-out or to switch accounts), when there is one.
  void offerAccounts();
  // Chooses the account of that row (-1: another account, the fields empty).
  void chooseAccount(int row);
  // A sign-in made behind the menu failed: the status line says why.
  void signInFailedBehind(bool refused);

  void viewDidAppear(bool animated) override;

  // After the user trusted the server's certificate: signs in again with the fields as they are,
  // once the sign-in that met the certificate has ended.
  void signInAgain();
  // The status line says that the server's certificate is put to the user, or that it was refused
  // (by the user, or as not the expected one), once the sign-in that met it has ended.
  void certificateInQuestion();
  void certificateRefused();

 signals:
  // The user asked for a sign-in (return key, button), as opposed to one the app starts.
  void signInAskedByUser();
  // A sign-in is about to go to another server than the current one: the session here ends now.
  void leavingServer();

 protected:
  void loadView() override;
  void viewDidLoad() override;

 private:
  void giveKeyboardTo(controls::TextField* field);
  void setStatus(const QString& text, const QColor& color);
  void forgetCredentials(const foundation::Account& account);
  // The service the REST layer points at now, and the configuration's (remembered sign-ins of
  // earlier versions name no server: they are of that one).
  QString server() const;
  QString configuredServer() const;
  // Shows the server field (a new account) or not, the other fields making room for it.
  void showServerField(bool shown);
  void buildAccountList(QWidget* view);
  void showAccounts(bool shown);
  // Runs `then` on a later turn of the loop once no sign-in is under way.
  void whenSignInEnds(std::function<void()> then);

  controls::TextField* m_postUserName = nullptr;
  controls::TextField* m_postPassword = nullptr;
  controls::OnOffSwitch* m_rememberState = nullptr;
  ui::Label* m_errorLabel = nullptr;
  ui::Label* m_loginLabel = nullptr;
  ui::Label* m_passwordLabel = nullptr;
  ui::Label* m_rememberLabel = nullptr;
  ui::Label* m_serverLabel = nullptr;
  controls::TextField* m_postServer = nullptr;
  ui::Label* m_tagline = nullptr;
  ui::Label* m_accountCaption = nullptr;
  ui::Button* m_loginButton = nullptr;
  QPointer<controls::TextField> m_keyboardField;
  foundation::Observations m_observations;
  bool m_signingIn = false;
  foundation::Observations m_signInEnd;
  std::optional<foundation::RememberedSignIn> m_remembered;  // what the last run left
  std::optional<foundation::RememberedSignIn> m_toRemember;  // once the sign-in under way succeeds
  foundation::Account m_signingInAccount;
  QString m_chosenServer;  // the chosen account's; "" for the current one
  QList<foundation::Account> m_accounts;  // offered, most recent first
  QWidget* m_accountList = nullptr;
  app::AccountRows* m_accountRows = nullptr;
  controls::RowButton* m_otherAccount = nullptr;
  ui::Button* m_accountsLink = nullptr;
};
