// tavrobox-cli: a command-line check of the service layer against a running service.
#include "backend/cli/CliOptions.h"
#include "backend/cli/CliRun.h"
#include "foundation/Logging.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tavrobox-cli"));
  foundation::installLogging();

  QTextStream out(stdout);
  QTextStream err(stderr);
  QString error;
  const auto options = backend::cli::parseOptions(QCoreApplication::arguments(), &error);
  if (!options) {
    err << "tavrobox-cli: " << error << "\n\n" << backend::cli::usage();
    return 2;
  }
  if (options->help) {
    out << backend::cli::usage();
    return 0;
  }
  for (const QString& warning : options->warnings) err << "tavrobox-cli: warning: " << warning << "\n";
  err.flush();
  return backend::cli::run(*options, out, err);
}
