#pragma once
// The command line of tavrobox-cli.
#include "foundation/Configuration.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace backend::cli {

struct Options {
  foundation::Configuration configuration;
  QString user;
  QString password;
  QStringList reads;     // in the order they are run
  double timeoutSeconds = 30.0;  // per request
  bool help = false;
};

// Every read the tool knows, in its default order.
QStringList allReads();

QString usage();

// Parses the arguments (the first is the program); errors name the option at fault.
std::optional<Options> parseOptions(const QStringList& arguments, QString* error);

}  // namespace backend::cli
