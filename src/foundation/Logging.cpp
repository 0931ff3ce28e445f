#include "foundation/Logging.h"

#include <QFileInfo>

#include <cstdio>
#include <mutex>

Q_LOGGING_CATEGORY(lcRestNetwork, "rest.network", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRestQueue, "rest.network.queue", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRestCache, "rest.network.cache", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRestReachability, "rest.network.reachability", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRestObjectMapping, "rest.object_mapping", QtWarningMsg)
Q_LOGGING_CATEGORY(lcApp, "App", QtWarningMsg)

namespace foundation {

namespace {
char levelLetter(QtMsgType type) {
  switch (type) {
    case QtDebugMsg: return 'D';
    case QtInfoMsg: return 'I';
    case QtWarningMsg: return 'W';
    case QtCriticalMsg: return 'E';
    case QtFatalMsg: return 'F';
  }
  return '?';
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  static std::mutex mutex;
  const QByteArray line = formatLogLine(type, context, text).toLocal8Bit();
  std::lock_guard lock(mutex);
  std::fprintf(stderr, "%s\n", line.constData());
  std::fflush(stderr);
}
}  // namespace

QString formatLogLine(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const QString file = context.file ? QFileInfo(QString::fromUtf8(context.file)).fileName() : QStringLiteral("?");
  const char* component = context.category ? context.category : "default";
  return QStringLiteral("%1 %2:%3:%4 %5")
      .arg(QChar::fromLatin1(levelLetter(type)))
      .arg(QString::fromUtf8(component), file)
      .arg(context.line)
      .arg(text);
}

void installLogging() { qInstallMessageHandler(handler); }

}  // namespace foundation
