#pragma once
// The tour: signs in with the configured demo user and saves a picture of the login popup, the
// menu, an alert and every screen the menu can open, one PNG each, into a folder. It drives the
// real application object through the paths a user takes (fields, sign-in, menu rows), waiting
// for each step with a bounded wait, and reports what it measured on the way.
#include "foundation/Configuration.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

class QPixmap;

class TavroBoxAppAppDelegate;

namespace app {

class Tour {
 public:
  // `sinceStart` runs from the start of main().
  Tour(TavroBoxAppAppDelegate& application, foundation::Configuration configuration, QString folder,
       const QElapsedTimer& sinceStart, QTextStream& out, QTextStream& err);

  // Runs the whole tour; returns the process exit code (0 when every picture was written and the
  // sign-in succeeded).
  int run();

  const QStringList& writtenFiles() const { return m_written; }

 private:
  bool save(const QString& name);
  bool waitFor(const std::function<bool()>& condition, int timeoutMs);
  bool visitScreens();
  // The keyboard's way in: a menu row and then a light's switch, each with the focus ring.
  bool visitKeyboardFocus();
  // The question about a certificate nothing vouches for and the warning about an unexpected one,
  // shown with the configured certificate.
  bool visitServerTrust();
  // One picture per page of the controls gallery and per further state of the page.
  bool visitControlsGallery();
  // The dashboard as a later run shows it before the service answers.
  bool visitStartFromCache();
  // The alarm code's pad: asked, after too many wrong codes, the forgotten code, a new code.
  bool visitAlarmCode();
  // The settings, from the menu's bar, with their further states.
  bool visitSettings();
  // Signs out, as from the settings: the login then offers the accounts used, more of them than
  // show at once (those the tour adds go again afterwards).
  bool visitAccountList();
  bool showAccountList();
  // The banner of a new alarm over the dashboard, and the tray's menu (TourAlerts.cpp).
  bool visitAlerts();
  bool savePicture(const QPixmap& picture, const QString& name);

  TavroBoxAppAppDelegate& m_app;
  foundation::Configuration m_configuration;
  QString m_folder;
  const QElapsedTimer& m_sinceStart;
  QTextStream& m_out;
  QTextStream& m_err;
  QStringList m_written;
  int m_next = 1;
};

// Milliseconds since the process started (the kernel's start time), or -1 when unknown.
qint64 processAgeMs();
// Resident memory of the process in kilobytes, or -1 when unknown.
qint64 residentMemoryKb();

}  // namespace app
