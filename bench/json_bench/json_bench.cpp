// JSON codec benchmark: parse to DOM, parse + full walk, and write, for this codec and its
// peers on the same inputs in one run. Usage: json_bench <folder of inputs> [benchmark flags]
// Prints Google Benchmark's table (MB/s of input), then the document sizes of this codec, then
// one line per input with this codec's speed ratio to each peer (peer time / our time).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Peers.h"
#include "json/Parser.h"

namespace {

const char* const kInputs[] = {"devices_10k.json", "history_10k.json", "dashboard.json", "signin.json",
                               "twitter.json",     "citm_catalog.json", "canada.json"};
const char* const kOperations[] = {"parse", "parse+walk", "write"};

struct Input {
  std::string name;
  std::string text;
};

// Collects each benchmark's CPU time per iteration in microseconds, keyed by
// "operation/input/codec". With --benchmark_repetitions the fastest repetition is kept: on a
// shared machine other work only ever adds time, so the minimum is the steadiest estimate.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const double micros = run.GetAdjustedCPUTime() * 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const std::string name = run.run_name.str();
      // Repetitions report their aggregates after the runs: the minimum then replaces them.
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name == "min") times[name] = micros;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

void registerBenchmarks(const std::vector<Input>& inputs, std::vector<std::unique_ptr<bench::Codec>>& codecs) {
  for (const char* operation : kOperations) {
    for (const Input& input : inputs) {
      for (auto& codec : codecs) {
        const std::string name = std::string(operation) + "/" + input.name + "/" + codec->name();
        const std::string op = operation;
        bench::Codec* c = codec.get();
        const std::string* text = &input.text;
        auto* b = benchmark::RegisterBenchmark(name.c_str(), [op, c, text](benchmark::State& state) {
          try {
            if (op == "parse") {
              for (auto _ : state) benchmark::DoNotOptimize(c->parse(*text));
            } else if (op == "parse+walk") {
              for (auto _ : state) benchmark::DoNotOptimize(c->parse(*text)->walk());
            } else {
              const auto document = c->parse(*text);
              for (auto _ : state) benchmark::DoNotOptimize(document->write());
            }
          } catch (const std::exception& e) {
            state.SkipWithError(e.what());
          }
          state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text->size()));
        });
        b->Unit(input.text.size() < 100000 ? benchmark::kMicrosecond : benchmark::kMillisecond);
        b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
      }
    }
  }
}

void printSummary(const std::vector<Input>& inputs, const std::vector<std::unique_ptr<bench::Codec>>& codecs,
                  const std::map<std::string, double>& times) {
  std::printf("\nDocument size of tb_json (tape + strings) against the input:\n");
  for (const Input& input : inputs) {
    auto document = json::parse(input.text);
    if (!document) continue;
    std::printf("  %-18s input %9zu B  document %9zu B  ratio %.2f\n", input.name.c_str(), input.text.size(),
                document.value().memoryUsage(),
                static_cast<double>(document.value().memoryUsage()) / static_cast<double>(input.text.size()));
  }
  std::printf("\nSpeed of tb_json relative to each peer (peer time / tb_json time; above 1 = faster):\n");
  for (const Input& input : inputs) {
    bool measured = false;
    for (const char* operation : kOperations) {
      measured = measured || times.count(std::string(operation) + "/" + input.name + "/tb_json") > 0;
    }
    if (!measured) continue;  // filtered out
    std::printf("%-18s", input.name.c_str());
    for (const char* operation : kOperations) {
      const std::string prefix = std::string(operation) + "/" + input.name + "/";
      const auto own = times.find(prefix + "tb_json");
      if (own == times.end()) continue;
      std::printf(" | %s (%.2f us):", operation, own->second);
      for (std::size_t i = 1; i < codecs.size(); ++i) {
        const auto peer = times.find(prefix + codecs[i]->name());
        if (peer != times.end()) std::printf(" %s %.2fx", codecs[i]->name(), peer->second / own->second);
      }
    }
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The first argument that is not a --benchmark flag names the folder of inputs.
  std::filesystem::path folder;
  std::vector<char*> arguments{argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (folder.empty() && std::string(argv[i]).rfind("--", 0) != 0) folder = argv[i];
    else arguments.push_back(argv[i]);
  }
  if (folder.empty()) {
    std::fprintf(stderr, "usage: %s <folder with the JSON inputs> [--benchmark_... flags]\n", argv[0]);
    return 2;
  }
  std::vector<Input> inputs;
  for (const char* name : kInputs) {
    std::ifstream in(folder / name, std::ios::binary);
    if (!in) {
      std::printf("skipping %s: not found in %s\n", name, folder.c_str());
      continue;
    }
    std::ostringstream text;
    text << in.rdbuf();
    inputs.push_back(Input{name, text.str()});
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no input found in %s\n", folder.c_str());
    return 1;
  }
  auto codecs = bench::makeCodecs();
  registerBenchmarks(inputs, codecs);
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(inputs, codecs, reporter.times);
  benchmark::Shutdown();
  return 0;
}
