#include "Checks.h"

#include <cstdio>

namespace soak {

double Trend::mean() const {
  double sum = 0;
  for (const Point& p : m_points) sum += p.value;
  return m_points.empty() ? 0 : sum / double(m_points.size());
}

double Trend::slopePercentPerHour() const {
  const double n = double(m_points.size());
  if (n < 2) return 0;
  double sx = 0, sy = 0;
  for (const Point& p : m_points) {
    sx += p.hours;
    sy += p.value;
  }
  const double mx = sx / n, my = sy / n;
  double sxy = 0, sxx = 0;
  for (const Point& p : m_points) {
    sxy += (p.hours - mx) * (p.value - my);
    sxx += (p.hours - mx) * (p.hours - mx);
  }
  if (sxx <= 0 || my == 0) return 0;
  return 100.0 * (sxy / sxx) / my;
}

std::string BurstLedger::where(double atSeconds) const {
  char text[64];
  std::snprintf(text, sizeof text, "at %.0f s", atSeconds);
  return text;
}

void BurstLedger::begin(const QString& fault, bool expiresSession, double atSeconds) {
  m_open = true;
  m_expires = expiresSession;
  m_fault = fault;
  m_since = atSeconds;
  m_messages.clear();
  m_burstSignIns = 0;
  ++m_bursts;
}

void BurstLedger::end() {
  if (!m_open) return;
  m_open = false;
  const int wanted = m_expires ? 1 : 0;
  if (m_burstSignIns != wanted)
    m_faults.push_back("burst '" + m_fault.toStdString() + "' " + where(m_since) + ": " + std::to_string(m_burstSignIns) +
                       " sign-ins, " + std::to_string(wanted) + " expected");
}

void BurstLedger::alertShown(const QString& message, double atSeconds) {
  ++m_alerts;
  if (!m_open) {
    m_faults.push_back("alert without a fault " + where(atSeconds) + ": \"" + message.toStdString() + "\"");
    return;
  }
  if (++m_messages[message] == 2)
    m_faults.push_back("alert storm in burst '" + m_fault.toStdString() + "' " + where(m_since) + ": \"" +
                       message.toStdString() + "\" shown again " + where(atSeconds));
}

void BurstLedger::signedIn(double atSeconds) {
  ++m_signIns;
  if (m_open) ++m_burstSignIns;
  else m_faults.push_back("sign-in without a session expiry " + where(atSeconds));
}

}  // namespace soak
