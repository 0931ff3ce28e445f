#include "screens/supervision/VideoPlayback.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QStringList>

namespace {

struct Module {
  VideoPlaybackFactory factory = nullptr;
  QString problem;
};

Module load(const QStringList& paths) {
  Module module;
  QStringList tried;
  for (const QString& path : paths) {
    if (!QFileInfo::exists(path)) {
      tried << path;
      continue;
    }
    // Never unloaded: the media backend keeps threads and state of its own for the whole run.
    QLibrary library(path);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load()) {
      module.problem = library.errorString();
      return module;
    }
    module.factory = reinterpret_cast<VideoPlaybackFactory>(library.resolve(kVideoPlaybackFactoryName));
    if (!module.factory) module.problem = QStringLiteral("%1 has no %2").arg(path, QLatin1String(kVideoPlaybackFactoryName));
    return module;
  }
  module.problem = QStringLiteral("the video module is not installed (looked for %1)").arg(tried.join(QStringLiteral(", ")));
  return module;
}

}  // namespace

// Only places the program's own location fixes: a path compiled in (where the build once put the
// module) would load whatever library sits there now on a machine where the app is installed.
QStringList VideoPlayback::modulePlaces(QString* problem) {
  if (const QString chosen = qEnvironmentVariable("TB_VIDEO_MODULE"); !chosen.isEmpty()) {
    // A relative path would depend on the folder the app happened to be started from.
    if (QDir::isAbsolutePath(chosen)) return {chosen};
    if (problem) *problem = QStringLiteral("TB_VIDEO_MODULE must be an absolute path, not %1").arg(chosen);
    return {};
  }
  const QDir program(QCoreApplication::applicationDirPath());
  // Installed: the install's libdir beside its bin folder. A build tree links the module beside
  // each program that plays video.
  return {QDir::cleanPath(program.filePath(QStringLiteral("../" TB_INSTALL_LIBDIR "/tavrobox/" TB_VIDEO_MODULE_NAME))),
          program.filePath(QStringLiteral(TB_VIDEO_MODULE_NAME))};
}

std::unique_ptr<VideoPlayback> VideoPlayback::create(Listener listener, QString* why) {
  // Main thread only (screens create players); one attempt per place looked at.
  static QHash<QStringList, Module> loaded;
  QString refused;
  const QStringList paths = modulePlaces(&refused);
  if (paths.isEmpty()) {
    if (why) *why = refused;
    return nullptr;
  }
  auto it = loaded.constFind(paths);
  if (it == loaded.constEnd()) it = loaded.insert(paths, load(paths));
  const Module& module = *it;
  if (!module.factory) {
    if (why) *why = module.problem;
    return nullptr;
  }
  return std::unique_ptr<VideoPlayback>(module.factory(std::move(listener)));
}
