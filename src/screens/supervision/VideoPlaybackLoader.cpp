#include "screens/supervision/VideoPlayback.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace {

// Where the module may be: beside an installed app, then where the build put it.
QStringList candidates() {
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

Module load() {
  Module module;
  QStringList tried;
  for (const QString& path : candidates()) {
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
  static const Module module = load();  // main thread only: screens create players
  if (!module.factory) {
    if (why) *why = module.problem;
    return nullptr;
  }
  return std::unique_ptr<VideoPlayback>(module.factory(std::move(listener)));
}
