// Bytes of the service's two largest answers (10,000 devices, 10,000 history events) to mapped
// records: this REST layer (strict parse + mapper) beside Qt (QJsonDocument + a hand-written
// mapping to the same records), and beside this codec's parse alone, so the ratios show what
// mapping costs. Usage: mapping_bench [DATA_DIR] [benchmark flags]; the ratios come last (from the
// fastest repetition with --benchmark_repetitions=N).
#include "backend/records/HistoryRecords.h"
#include "backend/records/HomeRecords.h"
#include "json/Parser.h"
#include "rest/mapping/RestObjectMapper.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

QByteArray g_devices;
QByteArray g_history;

rest::RestObjectMappingProvider& provider() {
  static rest::RestObjectMappingProvider p = [] {
    rest::RestObjectMappingProvider out;
    auto device = rest::RestObjectMapping::mappingForClass(VODevice::staticClass());
    device->mapKeyPathToAttribute("id", "identifier");
    device->mapAttributes({"serial", "name", "status", "type", "graceTime", "batteryLevel", "alive"});
    device->mapKeyPathToAttribute("newSensor", "isNewSensor");
    device->mapAttributes({"record", "defaultCam"});
    auto alert = rest::RestObjectMapping::mappingForClass(VOHistoryAlert::staticClass());
    alert->mapAttributes({"type", "dest", "ack"});
    auto history = rest::RestObjectMapping::mappingForClass(VOHistory::staticClass());
    history->mapAttributes({"name", "type", "state", "date", "origin", "reason", "alert"});
    history->mapKeyPathToAttribute("triggerName", "trigger_name");
    history->mapAttributes({"category"});
    history->mapKeyPathToAttribute("subCategory", "subcategory");
    history->mapKeyPathToRelationshipWithMapping("alerts", "media", alert);
    out.setMappingForKeyPath(device, "devices");
    out.setMappingForKeyPath(history, "history");
    return out;
  }();
  return p;
}

// --- The Qt peer: the same records, mapped by hand.
rest::Text qtText(const QJsonObject& o, const QString& key) {
  const auto it = o.find(key);
  if (it == o.end() || it->isNull()) return std::nullopt;
  if (it->isString()) return it->toString().toStdString();
  if (it->isBool()) return std::string(it->toBool() ? "true" : "false");
  if (it->isDouble()) {
    const double d = it->toDouble();
    const qint64 i = it->toInteger();
    return (double(i) == d ? QString::number(i) : QString::number(d, 'g', 17)).toStdString();
  }
  return std::nullopt;
}

std::vector<std::shared_ptr<VODevice>> qtDevices(const QByteArray& bytes) {
  std::vector<std::shared_ptr<VODevice>> out;
  const QJsonArray list = QJsonDocument::fromJson(bytes).object().value(QStringLiteral("devices")).toArray();
  out.reserve(list.size());
  for (const auto& v : list) {
    const QJsonObject o = v.toObject();
    auto d = std::make_shared<VODevice>();
    d->identifier = qtText(o, "id");
    d->serial = qtText(o, "serial");
    d->name = qtText(o, "name");
    d->status = qtText(o, "status");
    d->type = qtText(o, "type");
    d->graceTime = qtText(o, "graceTime");
    d->batteryLevel = qtText(o, "batteryLevel");
    d->alive = qtText(o, "alive");
    d->isNewSensor = qtText(o, "newSensor");
    d->record = qtText(o, "record");
    d->defaultCam = qtText(o, "defaultCam");
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<std::shared_ptr<VOHistory>> qtHistory(const QByteArray& bytes) {
  std::vector<std::shared_ptr<VOHistory>> out;
  const QJsonArray list = QJsonDocument::fromJson(bytes).object().value(QStringLiteral("history")).toArray();
  out.reserve(list.size());
  for (const auto& v : list) {
    const QJsonObject o = v.toObject();
    auto h = std::make_shared<VOHistory>();
    h->name = qtText(o, "name");
    h->type = qtText(o, "type");
    h->state = qtText(o, "state");
    h->date = qtText(o, "date");
    h->origin = qtText(o, "origin");
    h->reason = qtText(o, "reason");
    h->alert = qtText(o, "alert");
    h->trigger_name = qtText(o, "triggerName");
    h->category = qtText(o, "category");
    h->subcategory = qtText(o, "subCategory");
    for (const auto& a : o.value(QStringLiteral("alerts")).toArray()) {
      const QJsonObject ao = a.toObject();
      auto alert = std::make_shared<VOHistoryAlert>();
      alert->type = qtText(ao, "type");
      alert->dest = qtText(ao, "dest");
      alert->ack = qtText(ao, "ack");
      h->media.push_back(std::move(alert));
    }
    out.push_back(std::move(h));
  }
  return out;
}

const QByteArray& input(int which) { return which == 0 ? g_devices : g_history; }

void BM_Parse(benchmark::State& state) {
  const QByteArray& bytes = input(int(state.range(0)));
  for (auto _ : state) {
    auto doc = json::parse(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    benchmark::DoNotOptimize(doc);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void BM_ParseAndMap(benchmark::State& state) {
  const QByteArray& bytes = input(int(state.range(0)));
  std::size_t records = 0;
  for (auto _ : state) {
    auto doc = json::parse(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    auto result = rest::RestObjectMapper(doc->root(), provider()).performMapping();
    records = result->asCollection().size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["records"] = double(records);
  state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// Mapping alone (records made and dropped), from a document parsed once.
void BM_Map(benchmark::State& state) {
  const QByteArray& bytes = input(int(state.range(0)));
  auto doc = json::parse(std::string_view(bytes.constData(), std::size_t(bytes.size())));
  std::size_t records = 0;
  for (auto _ : state) {
    auto result = rest::RestObjectMapper(doc->root(), provider()).performMapping();
    records = result->asCollection().size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["records"] = double(records);
  state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void BM_QtParseAndMap(benchmark::State& state) {
  const int which = int(state.range(0));
  const QByteArray& bytes = input(which);
  std::size_t records = 0;
  for (auto _ : state) {
    if (which == 0) {
      auto r = qtDevices(bytes);
      records = r.size();
      benchmark::DoNotOptimize(r);
    } else {
      auto r = qtHistory(bytes);
      records = r.size();
      benchmark::DoNotOptimize(r);
    }
  }
  state.counters["records"] = double(records);
  state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// Collects each run's CPU time per iteration for the ratios at the end. With
// --benchmark_repetitions the fastest repetition is kept: on a shared machine other work only
// ever adds time, so the minimum is the steadiest estimate.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.error_occurred) continue;
      // Repetitions report their aggregates after the runs: the minimum then replaces them.
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name == "min") times[run.run_name.str()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

QByteArray readAll(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = "../shared/bench-data";
  if (argc > 1 && argv[1][0] != '-') {
    dir = argv[1];
    for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
    --argc;
  }
  g_devices = readAll(dir + "/devices_10k.json");
  g_history = readAll(dir + "/history_10k.json");
  if (g_devices.isEmpty() || g_history.isEmpty()) {
    std::fprintf(stderr, "mapping_bench: devices_10k.json or history_10k.json not found in %s\n", dir.c_str());
    return 1;
  }
  const char* names[] = {"devices_10k", "history_10k"};
  for (int which = 0; which < 2; ++which) {
    for (auto [label, fn] : {std::pair{"parse", &BM_Parse}, std::pair{"map", &BM_Map}, std::pair{"parse+map", &BM_ParseAndMap},
                             std::pair{"qt parse+map", &BM_QtParseAndMap}}) {
      benchmark::RegisterBenchmark((std::string(label) + "/" + names[which]).c_str(), fn)
          ->Arg(which)
          ->Unit(benchmark::kMillisecond)
          ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    }
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  for (int which = 0; which < 2; ++which) {
    const char* name = names[which];
    // Registered names carry the input's index as their argument ("parse/devices_10k/0").
    const std::string n = std::string(name) + "/" + std::to_string(which);
    const double parse = reporter.times["parse/" + n];
    const double ours = reporter.times["parse+map/" + n];
    const double qt = reporter.times["qt parse+map/" + n];
    const double map = reporter.times["map/" + n];
    if (parse <= 0 || ours <= 0 || qt <= 0) continue;
    std::printf("%s: bytes->records %.2fx faster than Qt; mapping adds %.0f%% to the parse time", name, qt / ours,
                (ours - parse) / parse * 100.0);
    if (map > 0) std::printf(" (mapping alone: %.0f%% of it)", map / parse * 100.0);
    std::printf("\n");
  }
  return 0;
}
