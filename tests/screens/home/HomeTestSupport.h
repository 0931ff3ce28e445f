#pragma once
// What the tests of the dashboard, the favorites and the scenario lists share: records made by
// hand, the requests the simulated service received, and a visible host for a list under test.
#include "backend/records/HomeRecords.h"
#include "simulator/SimHarness.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << texts.join(", ").toStdString(); }

namespace hometest {

inline rest::Text field(const char* value) { return value ? rest::Text(value) : std::nullopt; }

inline std::shared_ptr<VOScenario> scenario(const char* id, const char* name, const char* status, const char* category) {
  auto s = std::make_shared<VOScenario>();
  s->identifier = field(id);
  s->name = field(name);
  s->status = field(status);
  s->category = field(category);
  return s;
}

inline std::shared_ptr<VOFavorite> favorite(const char* id, const char* name, const char* status) {
  auto f = std::make_shared<VOFavorite>();
  f->identifier = field(id);
  f->name = field(name);
  f->status = field(status);
  return f;
}

inline std::shared_ptr<VODeviceLight> deviceLight(const char* serial, const char* name, const char* type, const char* status) {
  auto d = std::make_shared<VODeviceLight>();
  d->identifier = field(serial);
  d->serial = field(serial);
  d->name = field(name);
  d->type = field(type);
  d->status = field(status);
  return d;
}

inline std::shared_ptr<VOMode> mode(const char* domain, const char* value) {
  auto m = std::make_shared<VOMode>();
  m->subCategory = field(domain);
  m->mode = field(value);
  return m;
}

// The paths (below the service's base, without the session) of the requests `sim` received with
// `method` whose path contains `fragment`, in order.
inline QStringList requestsTo(simtest::SimHarness& sim, const QByteArray& method, const QString& fragment) {
  QStringList paths;
  for (const auto& request : sim.server().recordedRequests()) {
    const QString target = QString::fromUtf8(request.target).section(QLatin1Char(';'), 0, 0).remove(QStringLiteral("/tavrobox/v1"));
    if (request.method == method && target.contains(fragment)) paths << target;
  }
  return paths;
}

// A shown window for a list under test, so that touches reach its rows.
struct Host {
  Host() {
    widget.resize(320, 480);
    widget.show();
  }
  void adopt(QWidget* child, int height) {
    child->setParent(&widget);
    child->setGeometry(10, 10, 300, height);
    child->show();
  }
  QWidget widget;
};

}  // namespace hometest
