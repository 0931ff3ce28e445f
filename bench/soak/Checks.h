#pragma once
// What the soak judges the app by, apart from the driver that produces it: figures that must stay
// flat (least-squares slope per simulated hour), what the user was told during each burst of
// faults, and the list of failed checks with their reasons.
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace soak {

// Samples of one figure over simulated time.
class Trend {
 public:
  void add(double hours, double value) { m_points.push_back({hours, value}); }
  std::size_t size() const { return m_points.size(); }
  double span() const { return m_points.empty() ? 0 : m_points.back().hours - m_points.front().hours; }
  double first() const { return m_points.empty() ? 0 : m_points.front().value; }
  double last() const { return m_points.empty() ? 0 : m_points.back().value; }
  double mean() const;
  // Slope of the least-squares line, in per cent of the mean per hour (0 with fewer than 2 points).
  double slopePercentPerHour() const;

 private:
  struct Point {
    double hours;
    double value;
  };
  std::vector<Point> m_points;
};

// The alerts and sign-ins of each burst of faults. An alert outside every burst, a second alert
// of one class (one message) within a burst, or a number of sign-ins other than one per session
// expiry is a fault of the app.
class BurstLedger {
 public:
  void begin(const QString& fault, bool expiresSession, double atSeconds);
  void end();
  bool open() const { return m_open; }
  void alertShown(const QString& message, double atSeconds);
  void signedIn(double atSeconds);

  int bursts() const { return m_bursts; }
  int alerts() const { return m_alerts; }
  int signIns() const { return m_signIns; }
  const std::vector<std::string>& faults() const { return m_faults; }

 private:
  std::string where(double atSeconds) const;
  bool m_open = false;
  bool m_expires = false;
  QString m_fault;
  double m_since = 0;
  std::map<QString, int> m_messages;
  int m_burstSignIns = 0;
  int m_bursts = 0, m_alerts = 0, m_signIns = 0;
  std::vector<std::string> m_faults;
};

// Failed checks, each with its reason; the run fails when there is one.
class Verdict {
 public:
  void check(bool ok, const std::string& reason) {
    if (!ok) m_failures.push_back(reason);
  }
  void add(const std::vector<std::string>& reasons) { m_failures.insert(m_failures.end(), reasons.begin(), reasons.end()); }
  bool passed() const { return m_failures.empty(); }
  const std::vector<std::string>& failures() const { return m_failures; }

 private:
  std::vector<std::string> m_failures;
};

}  // namespace soak
