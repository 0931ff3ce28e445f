// Golden files: each golden/<name>.json answer is mapped with the test provider and printed;
// the print must equal golden/<name>.txt. Set TB_UPDATE_GOLDEN=1 to rewrite the .txt files.
#include "TestRecords.h"

#include "json/Parser.h"
#include "rest/mapping/ObjectDump.h"
#include "rest/mapping/RestObjectMapper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) out.push_back(line);
  return out;
}

// A plain line diff: the first differing line and a few around it.
std::string diff(const std::string& expected, const std::string& actual) {
  const auto e = lines(expected), a = lines(actual);
  std::size_t i = 0;
  while (i < e.size() && i < a.size() && e[i] == a[i]) ++i;
  std::string out = "first difference at line " + std::to_string(i + 1) + "\n";
  for (std::size_t k = i; k < std::min(e.size(), i + 4); ++k) out += "- " + e[k] + "\n";
  for (std::size_t k = i; k < std::min(a.size(), i + 4); ++k) out += "+ " + a[k] + "\n";
  return out;
}

std::string mapAndPrint(const std::string& answer) {
  auto doc = json::parse(answer);
  if (!doc.ok()) return "parse error: " + doc.error().message + "\n";
  tbtest::TestMappings m;
  auto result = rest::RestObjectMapper(doc->root(), m.provider).performMapping();
  if (!result.ok()) return "mapping error: " + result.error().message + "\n";
  std::string out;
  for (const auto& [keyPath, entry] : result->asDictionary()) {
    out += "[" + keyPath + "]\n";
    if (const auto* list = std::get_if<rest::ObjectList>(&entry)) {
      out += rest::dumpObjects(*list);
    } else {
      out += rest::dumpObjects({std::get<rest::ObjectPtr>(entry)});
    }
  }
  return out;
}
}  // namespace

TEST(GoldenMapping, AnswersPrintAsRecorded) {
  const fs::path dir = fs::path(TB_GOLDEN_DIR);
  const bool update = std::getenv("TB_UPDATE_GOLDEN") != nullptr;
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".json") continue;
    const fs::path expectedPath = fs::path(entry.path()).replace_extension(".txt");
    const std::string actual = mapAndPrint(readFile(entry.path()));
    if (update) {
      std::ofstream(expectedPath, std::ios::binary) << actual;
      continue;
    }
    ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath << " is missing (run with TB_UPDATE_GOLDEN=1)";
    const std::string expected = readFile(expectedPath);
    EXPECT_EQ(expected, actual) << entry.path().filename() << ": " << diff(expected, actual);
    ++checked;
  }
  if (!update) {
    EXPECT_GE(checked, 3);
  }
}
