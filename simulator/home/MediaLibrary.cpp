#include "home/MediaLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace simhome {

namespace {
constexpr const char* kReadyMark = "ready";

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// drawtext takes its text between quotes; these characters would end or escape it.
QString drawtextSafe(QString text) {
  text.remove(QRegularExpression(QStringLiteral("[\\\\':%]")));
  return text;
}
}  // namespace

MediaLibrary::MediaLibrary(QString folder, QString ffmpeg, std::function<void(const QString&)> log)
    : m_folder(std::move(folder)), m_log(std::move(log)) {
  m_ffmpeg = ffmpeg.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("ffmpeg")) : ffmpeg;
  if (!m_ffmpeg.isEmpty() && !QFileInfo(m_ffmpeg).isExecutable()) m_ffmpeg.clear();
  if (m_ffmpeg.isEmpty()) {
    if (m_log) m_log(QStringLiteral("ffmpeg is not installed: live video and recordings will answer 404"));
    return;
  }
  for (const char* f : {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"})
    if (QFileInfo::exists(QString::fromLatin1(f))) {
      m_font = QString::fromLatin1(f);
      break;
    }
  QDir().mkpath(m_folder);
  m_worker = std::thread([this] { run(); });
}

MediaLibrary::~MediaLibrary() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_queue.clear();
  }
  m_wake.notify_all();
  if (m_worker.joinable()) m_worker.join();
}

QString MediaLibrary::safeName(const QString& name) {
  // Serials and file names come from the home file and from requests: keep them to one plain
  // path component.
  QString s = name;
  s.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
  if (s.isEmpty() || s.startsWith('.')) s.prepend('_');
  return s;
}

void MediaLibrary::prepareCamera(const QString& serial, const QString& name) {
  enqueue(Job{QDir(m_folder).filePath(QStringLiteral("live/") + safeName(serial)), name, kSegmentSeconds * kLoopSegments});
}

void MediaLibrary::prepareRecording(const QString& fileName, const QString& cameraName, int seconds) {
  enqueue(Job{QDir(m_folder).filePath(QStringLiteral("playback/") + safeName(fileName)), cameraName, std::max(2, seconds)});
}

void MediaLibrary::enqueue(Job job) {
  if (!available()) return;
  {
    std::lock_guard lock(m_mutex);
    if (m_ready.count(job.outputDir)) return;
    // Work of an earlier run with the same length is still good.
    const QString mark = QDir(job.outputDir).filePath(kReadyMark);
    if (readFile(mark) == QByteArray::number(job.seconds) + ' ' + job.label.toUtf8()) {
      m_ready.insert(job.outputDir);
      return;
    }
    m_queue.push_back(std::move(job));
  }
  m_wake.notify_all();
}

bool MediaLibrary::cameraReady(const QString& serial) const {
  std::lock_guard lock(m_mutex);
  return m_ready.count(QDir(m_folder).filePath(QStringLiteral("live/") + safeName(serial))) > 0;
}

bool MediaLibrary::recordingReady(const QString& fileName) const {
  std::lock_guard lock(m_mutex);
  return m_ready.count(QDir(m_folder).filePath(QStringLiteral("playback/") + safeName(fileName))) > 0;
}

QByteArray MediaLibrary::cameraSegment(const QString& serial, int index) const {
  if (index < 0 || index >= kLoopSegments || !cameraReady(serial)) return {};
  return readFile(QDir(m_folder).filePath(QStringLiteral("live/%1/seg%2.ts").arg(safeName(serial)).arg(index, 3, 10, QChar('0'))));
}

QByteArray MediaLibrary::recordingFile(const QString& fileName, const QString& name) const {
  static const QRegularExpression allowed(QStringLiteral("^(playlist\\.m3u8|seg\\d{3}\\.ts)$"));
  if (!allowed.match(name).hasMatch() || !recordingReady(fileName)) return {};
  return readFile(QDir(m_folder).filePath(QStringLiteral("playback/%1/%2").arg(safeName(fileName), name)));
}

bool MediaLibrary::waitIdle(int timeoutMs) {
  std::unique_lock lock(m_mutex);
  return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_queue.empty() && !m_busy; });
}

void MediaLibrary::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_mutex);
      m_busy = false;
      m_idle.notify_all();
      m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
      if (m_stopping) return;
      job = m_queue.front();
      m_queue.pop_front();
      m_busy = true;
    }
    const bool ok = make(job);
    std::lock_guard lock(m_mutex);
    if (ok) m_ready.insert(job.outputDir);
  }
}

bool MediaLibrary::make(const Job& job) {
  // Several simulators may share a media folder (tests run in parallel): each writes into a
  // folder of its own and moves the finished clip into place in one rename.
  const QByteArray mark = QByteArray::number(job.seconds) + ' ' + job.label.toUtf8();
  const QString work = QStringLiteral("%1.part-%2-%3").arg(job.outputDir).arg(QCoreApplication::applicationPid()).arg(quintptr(this), 0, 16);
  QDir dir(work);
  dir.removeRecursively();
  QDir().mkpath(work);
  // A small, quick test pattern: 160x120 at 10 frames a second, one key frame per segment.
  QString filter;
  if (!m_font.isEmpty()) {
    const QString font = QStringLiteral("fontfile=%1:fontcolor=white:fontsize=13:box=1:boxcolor=black@0.55").arg(m_font);
    filter = QStringLiteral("drawtext=%1:text='%2':x=4:y=4,drawtext=%1:text='%{pts\\:hms}':x=4:y=h-th-4")
                 .arg(font, drawtextSafe(job.label));
  }
  QStringList args = {"-hide_banner", "-loglevel", "error", "-nostdin", "-y",
                      "-f", "lavfi", "-i", QStringLiteral("testsrc2=size=160x120:rate=10:duration=%1").arg(job.seconds)};
  if (!filter.isEmpty()) args << "-vf" << filter;
  args << "-c:v" << "libx264" << "-preset" << "ultrafast" << "-pix_fmt" << "yuv420p"
       << "-g" << QString::number(10 * kSegmentSeconds) << "-keyint_min" << QString::number(10 * kSegmentSeconds)
       << "-sc_threshold" << "0"
       << "-f" << "hls" << "-hls_time" << QString::number(kSegmentSeconds) << "-hls_list_size" << "0"
       << "-hls_playlist_type" << "vod" << "-hls_segment_filename" << dir.filePath("seg%03d.ts") << dir.filePath("playlist.m3u8");
  QProcess ffmpeg;
  ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
  ffmpeg.start(m_ffmpeg, args);
  if (!ffmpeg.waitForStarted(10000) || !ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit ||
      ffmpeg.exitCode() != 0) {
    if (m_log)
      m_log(QStringLiteral("ffmpeg failed for %1: %2").arg(job.outputDir, QString::fromUtf8(ffmpeg.readAll()).trimmed().left(400)));
    ffmpeg.kill();
    ffmpeg.waitForFinished(1000);
    dir.removeRecursively();
    return false;
  }
  QFile markFile(dir.filePath(kReadyMark));
  if (!markFile.open(QIODevice::WriteOnly) || markFile.write(mark) != mark.size()) {
    dir.removeRecursively();
    return false;
  }
  markFile.close();
  if (readFile(QDir(job.outputDir).filePath(kReadyMark)) == mark) {
    dir.removeRecursively();  // another simulator finished the same clip first
    return true;
  }
  QDir(job.outputDir).removeRecursively();
  if (!QDir().rename(work, job.outputDir)) {
    if (m_log) m_log(QStringLiteral("cannot move the video into %1").arg(job.outputDir));
    dir.removeRecursively();
    return false;
  }
  return true;
}

}  // namespace simhome
