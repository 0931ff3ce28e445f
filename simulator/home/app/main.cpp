// tavrobox-cloudsim: the simulated cloud service as a program. Starts the REST service (plain
// or TLS), the camera media server and the video generation, prints where they listen, and
// stops cleanly on SIGINT or SIGTERM.
#include "core/HttpServer.h"
#include "core/TlsIdentity.h"
#include "home/CloudService.h"
#include "home/CommandLine.h"
#include "home/MediaLibrary.h"
#include "home/MediaService.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
}

void say(const QString& line) {
  std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
  std::fflush(stdout);
}

void complain(const QString& line) {
  std::fprintf(stderr, "tavrobox-cloudsim: %s\n", line.toLocal8Bit().constData());
  std::fflush(stderr);
}

QString randomToken() {
  QString token;
  for (int i = 0; i < 4; ++i) token += QString::number(QRandomGenerator::system()->generate(), 16).rightJustified(8, '0');
  return token;
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn with QtGui; no display is needed or wanted.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("tavrobox-cloudsim"));

  QString error;
  const auto cl = simhome::parseCommandLine(QCoreApplication::arguments(), &error);
  if (!cl) {
    complain(error + QStringLiteral(" (see --help)"));
    return 2;
  }
  if (cl->help) {
    say(cl->helpText);
    return 0;
  }

  const auto users = simhome::Users::loadFile(cl->usersFile.isEmpty() ? simhome::Users::builtInPath() : cl->usersFile, &error);
  if (!users) {
    complain(error);
    return 2;
  }
  simhome::SystemClock clock;
  auto homes = simhome::loadHomes(*users, cl->homeFile, cl->seed, clock.nowMs(), &error);
  if (!homes) {
    complain(error);
    return 2;
  }

  auto log = [](const QString& line) {
    say(QStringLiteral("%1 %2").arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz")), line));
  };

  simhome::ServiceOptions options;
  options.restType = cl->restType;
  options.restVersion = cl->restVersion;
  options.sessionTtlMs = qint64(cl->sessionTtlSeconds) * 1000;
  options.seed = cl->seed;
  options.latencyMs = cl->latencyMs;
  options.controlToken = cl->controlToken.isEmpty() ? randomToken() : cl->controlToken;
  options.lifeIntervalMs = qint64(cl->lifeIntervalSeconds) * 1000;
  options.verbose = cl->verbose;
  {
    QString why;
    if (!simhome::makePrivateFolder(cl->mediaDir, &why)) {
      complain(why);
      return 1;
    }
  }
  simhome::MediaLibrary media(cl->mediaDir, cl->ffmpeg, log);
  simhome::CloudService service(options, *users, std::move(*homes), &clock);
  service.setMediaLibrary(&media);
  service.setLogger(log);

  simhome::MediaService mediaService(&service, &media, &clock);
  simcore::HttpServer mediaServer(&mediaService);
  // The app's bodies are a few hundred bytes: anything near a megabyte is not the app.
  simcore::RequestLimits limits;
  limits.maxBodyBytes = 1024 * 1024;
  limits.maxWireBytes = 2 * 1024 * 1024;
  mediaServer.setLimits(limits);
  if (!mediaServer.listen(cl->mediaListen.address, cl->mediaListen.port)) {
    complain(QStringLiteral("the media server cannot listen on %1:%2: %3").arg(cl->mediaListen.host).arg(cl->mediaListen.port).arg(mediaServer.errorString()));
    return 1;
  }
  service.setMediaAddress(cl->mediaListen.host, mediaServer.port());

  std::optional<simcore::TlsIdentity> identity;
  QString certificatePath;
  if (cl->tls) {
    QString certFile = cl->certFile, keyFile = cl->keyFile;
    if (certFile.isEmpty()) {
      // A certificate made by an earlier run is kept while it is valid, so that an app
      // configured to trust it goes on working after a restart.
      const QDir dir(QDir(cl->certDir).absolutePath());
      // The key is made and kept here: the folder is the user's alone.
      QString why;
      if (!simhome::makePrivateFolder(dir.path(), &why)) {
        complain(why);
        return 1;
      }
      certFile = dir.filePath(QStringLiteral("cloudsim.crt"));
      keyFile = dir.filePath(QStringLiteral("cloudsim.key"));
      const auto existing = simcore::TlsIdentity::fromPemFiles(certFile, keyFile);
      const bool reusable = existing && existing->certificate.expiryDate() > QDateTime::currentDateTime().addDays(1);
      if (!reusable) {
        const auto files = simcore::generateSelfSignedIdentity(dir.path(), QStringLiteral("cloudsim"), &error);
        if (!files) {
          complain(QStringLiteral("cannot make a self-signed certificate: %1").arg(error));
          return 1;
        }
        certFile = files->certificatePath;
        keyFile = files->keyPath;
        QFile::setPermissions(keyFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
      }
    }
    identity = simcore::TlsIdentity::fromPemFiles(certFile, keyFile);
    if (!identity) {
      complain(QStringLiteral("cannot read the certificate %1 or the key %2").arg(certFile, keyFile));
      return 1;
    }
    certificatePath = QFileInfo(certFile).absoluteFilePath();
  }

  // The video is made in the background: the service answers at once. (Read
  // before the REST server listens: nothing changes the homes yet.)
  for (auto& [key, state] : service.homes()) {
    for (const simhome::Device* cam : state.home.cameras()) media.prepareCamera(cam->serial, cam->name);
    for (const simhome::Recording& r : state.home.recordings)
      for (const simhome::RecordingFile& f : r.files) media.prepareRecording(f.name, r.sensorName, f.durationS);
  }

  simcore::HttpServer server(&service);
  server.setLimits(limits);
  if (!server.listen(cl->listen.address, cl->listen.port, identity ? &*identity : nullptr)) {
    complain(QStringLiteral("cannot listen on %1:%2: %3").arg(cl->listen.host).arg(cl->listen.port).arg(server.errorString()));
    return 1;
  }

  if (::pipe(g_signalPipe) != 0) {
    complain(QStringLiteral("cannot set up signal handling"));
    return 1;
  }
  QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
    char byte;
    [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &byte, 1);
    QCoreApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);

  // The servers record every request for tests; a long-running service forgets them.
  QTimer forget;
  QObject::connect(&forget, &QTimer::timeout, [&] {
    server.clearRecordedRequests();
    mediaServer.clearRecordedRequests();
  });
  forget.start(10000);

  const QString scheme = cl->tls ? QStringLiteral("https") : QStringLiteral("http");
  const QString serverUrl = QStringLiteral("%1://%2:%3").arg(scheme, cl->listen.host).arg(server.port());
  say(QStringLiteral("tavrobox-cloudsim: REST service at %1%2").arg(serverUrl, service.basePath()));
  say(QStringLiteral("tavrobox-cloudsim: app configuration RestServer=%1 RestType=%2 RestVersion=%3 RestPlaybackPort=%4")
          .arg(serverUrl, cl->restType, cl->restVersion)
          .arg(mediaServer.port()));
  if (cl->tls)
    say(QStringLiteral("tavrobox-cloudsim: certificate %1 (app configuration RestTrustedCertificates=%1)").arg(certificatePath));
  say(QStringLiteral("tavrobox-cloudsim: media server at http://%1:%2 (%3)")
          .arg(cl->mediaListen.host)
          .arg(mediaServer.port())
          .arg(media.available() ? QStringLiteral("video in %1").arg(cl->mediaDir) : QStringLiteral("no ffmpeg: media answers 404")));
  say(QStringLiteral("tavrobox-cloudsim: control interface %1%2/... with header %3: %4")
          .arg(serverUrl, QString::fromLatin1(simhome::kControlPrefix), QString::fromLatin1(simhome::kControlTokenHeader), options.controlToken));
  if (!cl->readyFile.isEmpty()) {
    // For scripts and end-to-end tests: where to connect, without parsing the lines above.
    const QJsonObject ready{{"restServer", serverUrl},
                            {"restType", cl->restType},
                            {"restVersion", cl->restVersion},
                            {"baseUrl", serverUrl + service.basePath()},
                            {"mediaServer", QStringLiteral("http://%1:%2").arg(cl->mediaListen.host).arg(mediaServer.port())},
                            {"playbackPort", int(mediaServer.port())},
                            {"certificate", certificatePath},
                            {"controlToken", options.controlToken},
                            {"pid", qint64(QCoreApplication::applicationPid())}};
    // The token is a credential: the file is its owner's alone from the moment it exists.
    QString why;
    if (!simhome::writePrivateFile(cl->readyFile, QJsonDocument(ready).toJson(), &why)) {
      complain(QStringLiteral("cannot write %1: %2").arg(cl->readyFile, why));
      return 1;
    }
  }
  say(QStringLiteral("tavrobox-cloudsim: ready"));

  const int code = QCoreApplication::exec();
  if (!cl->readyFile.isEmpty()) QFile::remove(cl->readyFile);
  server.close();
  mediaServer.close();
  say(QStringLiteral("tavrobox-cloudsim: stopped"));
  return code;
}
