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
  QString passwordDigest;  // instead of `password`: the remembered credentials keep only this
  QStringList warnings;    // for standard error
  QStringList reads;     // in the order they are run
  double timeoutSeconds = 30.0;  // per request
  bool help = false;
};

// Every read the tool knows, in its default order.
QStringList allReads();

QString usage();

// Environment variable a password may come in (out of the process list, unlike an argument).
inline constexpr const char* kPasswordVariable = "TAVROBOX_PASSWORD";

// Parses the arguments (the first is the program); errors name the option at fault. The password
// comes from --password-file, --password, $TAVROBOX_PASSWORD, the credentials the app remembers for
// the user, or the configuration's demo password, the first that gives one.
std::optional<Options> parseOptions(const QStringList& arguments, QString* error);

}  // namespace backend::cli
