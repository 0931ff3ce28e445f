#pragma once
// The command line of tavrobox-cloudsim.
#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace simhome {

struct Endpoint {
  QHostAddress address;
  QString host;  // as given ("127.0.0.1", "localhost")
  quint16 port = 0;
};

struct CommandLine {
  Endpoint listen{QHostAddress(QHostAddress::LocalHost), QStringLiteral("127.0.0.1"), 8470};
  Endpoint mediaListen{QHostAddress(QHostAddress::LocalHost), QStringLiteral("127.0.0.1"), 8471};
  bool tls = false;
  QString certFile, keyFile;  // both or neither
  QString certDir;            // where a generated certificate is written
  QString restType = QStringLiteral("tavrobox");
  QString restVersion = QStringLiteral("v1");
  QString homeFile;   // "" : the built-in demo home
  QString usersFile;  // "" : the built-in users
  int sessionTtlSeconds = 1800;
  int latencyMs = 0;
  std::uint64_t seed = 2013;
  QString mediaDir;
  QString ffmpeg;        // "" : from PATH
  QString controlToken;  // "" : a random one
  int lifeIntervalSeconds = 420;
  QString readyFile;  // "" : none; else a JSON file with the addresses, written when ready
  bool verbose = false;
  bool help = false;
  QString helpText;
};

// Parses the arguments (the first is the program). Errors name the option at fault.
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, QString* error);

// "HOST:PORT", "[v6]:PORT" or ":PORT" (loopback); "localhost" is the loopback address.
std::optional<Endpoint> parseEndpoint(const QString& text);

// The user's private runtime folder (XDG_RUNTIME_DIR, or one Qt makes for the user alone): where
// the generated key and video go unless the command line names a folder, never a predictable
// path of the shared temporary folder that another user could make first.
QString privateFolder();

// Makes `path` (and its parents) and gives it to its owner alone (0700). False, with `error`,
// when it cannot be made or belongs to someone else.
bool makePrivateFolder(const QString& path, QString* error);

// Writes `bytes` to `path` through a new file that is owner-only (0600) from its creation,
// renamed into place.
bool writePrivateFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace simhome
