#include "screens/supervision/VideoPlayback.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QStringList>

namespace {

// Where the module may be: TB_VIDEO_MODULE when set (a packager's other layout), else beside an
// installed app, then where the build put it.
QStringList candidates() {
  if (const QString chosen = qEnvironmentVariable("TB_VIDEO_MODULE"); !chosen.isEmpty()) return {chosen};
  QStringList paths;
  const QString installed = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QStringLiteral("../" TB_INSTALL_LIBDIR "/tavrobox/" TB_VIDEO_MODULE_NAME));
  paths << QDir::cleanPath(installed) << QStringLiteral(TB_VIDEO_MODULE_BUILD_PATH);
  return paths;
}

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

std::unique_ptr<VideoPlayback> VideoPlayback::create(Listener listener, QString* why) {
  // Main thread only (screens create players); one attempt per place looked at.
  static QHash<QStringList, Module> loaded;
  const QStringList paths = candidates();
  auto it = loaded.constFind(paths);
  if (it == loaded.constEnd()) it = loaded.insert(paths, load(paths));
  const Module& module = *it;
  if (!module.factory) {
    if (why) *why = module.problem;
    return nullptr;
  }
  return std::unique_ptr<VideoPlayback>(module.factory(std::move(listener)));
}
