#pragma once
// The code that guards lowering the alarm's protection, for one account (user and server).
//
// The code (4 to 8 digits) is never stored: the preferences keep a salted PBKDF2-SHA256 digest of
// it with its salt and iteration count, so that a code chosen with another count still checks.
// Deriving it takes most of a second at the default count, so it runs on a worker and the answer
// comes back on the main thread.
//
// Wrong codes: after kFreeTries wrong codes in a row, every further try waits kFirstWait seconds,
// doubling with each wrong code after that (at most kLongestWait). A try counts as wrong from the
// moment it starts and is taken back when it proves right, so that quitting the app while a code
// is being checked gains nothing; the count and the end of the wait are in the preferences (the
// end on the clock's wall time), so a restart keeps them. A wall clock set back never makes the
// wait longer than the one earned.
//
// Also kept per account: whether the code is asked at start, and after how many minutes in the
// background it is asked again on return. Main thread only.
#include "backend/Reply.h"

#include <QObject>
#include <QString>

#include <functional>

namespace backend {

class AlarmLock : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDefaultIterations = 300000;
  static constexpr int kMinDigits = 4;
  static constexpr int kMaxDigits = 8;
  static constexpr int kFreeTries = 5;
  static constexpr double kFirstWait = 30.0;
  static constexpr double kLongestWait = 3600.0;

  enum class Verdict { Right, Wrong, LockedOut, NoCode, Busy };

  // The lock of the account signed in now (before any sign-in: the remembered one).
  explicit AlarmLock(QObject* parent = nullptr);
  AlarmLock(const QString& login, const QString& server, QObject* parent = nullptr);
  ~AlarmLock() override;

  static QString currentLogin();
  static QString currentServer();
  const QString& login() const { return m_login; }

  // Iterations for codes set from now on (tests lower it; the default is the production one).
  void setIterations(int iterations) { m_iterations = iterations; }
  int iterations() const { return m_iterations; }

  static bool isWellFormed(const QString& code);
  bool hasCode() const;
  // Stores the digest of `code`; done(false) when the code is not 4 to 8 digits.
  void setCode(const QString& code, std::function<void(bool stored)> done);
  void removeCode();

  // Checks `code`. LockedOut: a wait is running (nothing checked, nothing counted); Busy: another
  // check is under way.
  void verify(const QString& code, std::function<void(Verdict)> done);
  bool isChecking() const { return m_checking; }
  int failures() const;
  // Seconds left of the running wait; 0 when a code may be tried.
  double waitRemaining() const;
  // Wrong codes left before a wait starts (0 once waits have begun).
  int triesBeforeWait() const;

  // The forgotten code: proves the account with its password, against the remembered sign-in of
  // this login when there is one, else by signing in to the service. Right: the code and the wrong
  // tries are forgotten (the user then chooses a new code). A wrong password counts as a wrong
  // code, and no password is looked at during a wait (LockedOut).
  void proveWithPassword(const QString& password, std::function<void(Verdict)> done);

  bool askAtStart() const;
  void setAskAtStart(bool ask);
  // 0: never asked on return from the background.
  int backgroundMinutes() const;
  void setBackgroundMinutes(int minutes);
  // Whether a return after `secondsAway` in the background asks the code.
  bool asksAfter(double secondsAway) const;

  // The preference key of this account's lock entry `name`.
  QString key(const char* name) const;

 signals:
  // The code, the wrong tries or the options changed.
  void changed();

 private:
  void derive(const QString& code, const QByteArray& salt, int iterations, std::function<void(QByteArray)> then);
  void noteWrong();
  void clearTries();

  QString m_login;
  QString m_account;
  int m_iterations = kDefaultIterations;
  bool m_checking = false;
  ReplyPtr m_proof;  // the sign-in that proves the account, while it is out
};

}  // namespace backend
