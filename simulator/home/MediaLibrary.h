#pragma once
// The video files of the simulated cameras, made with ffmpeg in the background into the media
// folder: per camera a short loop of HLS segments (a test pattern with the camera's name and a
// running clock) from which the live stream is played, and per recording a short HLS clip.
// Without ffmpeg the library says so once and has nothing to serve.
#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

namespace simhome {

class MediaLibrary {
 public:
  // `ffmpeg` "" : looked up on PATH. `log` receives one line per notable event.
  MediaLibrary(QString folder, QString ffmpeg, std::function<void(const QString&)> log);
  ~MediaLibrary();
  MediaLibrary(const MediaLibrary&) = delete;
  MediaLibrary& operator=(const MediaLibrary&) = delete;

  bool available() const { return !m_ffmpeg.isEmpty(); }
  QString folder() const { return m_folder; }

  static constexpr int kSegmentSeconds = 2;
  static constexpr int kLoopSegments = 5;

  // Queue work; both return at once. Work already done in an earlier run is not redone.
  void prepareCamera(const QString& serial, const QString& name);
  void prepareRecording(const QString& fileName, const QString& cameraName, int seconds);

  bool cameraReady(const QString& serial) const;
  bool recordingReady(const QString& fileName) const;
  // Segment `index` (0 .. kLoopSegments-1) of a camera's loop; empty when not ready.
  QByteArray cameraSegment(const QString& serial, int index) const;
  // A file of a recording's clip ("playlist.m3u8", "seg000.ts", ...); empty when absent.
  QByteArray recordingFile(const QString& fileName, const QString& name) const;

  // Blocks until the queue is empty (tests, and a tidy stop).
  bool waitIdle(int timeoutMs);

 private:
  struct Job {
    QString outputDir;
    QString label;
    int seconds;
  };
  void enqueue(Job job);
  void run();
  bool make(const Job& job);
  static QString safeName(const QString& name);

  QString m_folder;
  QString m_ffmpeg;
  QString m_font;
  std::function<void(const QString&)> m_log;
  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_idle;
  std::deque<Job> m_queue;
  std::set<QString> m_ready;  // output folders finished
  bool m_busy = false;
  bool m_stopping = false;
  std::thread m_worker;
};

}  // namespace simhome
