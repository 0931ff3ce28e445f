#pragma once
// What an answer was mapped to: per key path, one record or a list of records.
#include "foundation/Result.h"
#include "rest/mapping/Object.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace rest {

class RestObjectMappingResult {
 public:
  using Entry = std::variant<ObjectPtr, ObjectList>;

  void set(const std::string& keyPath, Entry entry);
  // Key paths in the order they were mapped (the provider's registration order).
  const std::vector<std::pair<std::string, Entry>>& asDictionary() const { return m_entries; }
  bool empty() const { return m_entries.empty(); }

  // Every mapped record in one list: lists expanded, single records added as they are.
  ObjectList asCollection() const;
  // The first record of asCollection(), or nullptr.
  ObjectPtr asObject() const;
  // An error of the REST domain (code 1004) whose message joins the records' descriptions
  // with ", " (the messages of a failed answer's "error"/"errors" member).
  foundation::Error asError() const;

 private:
  std::vector<std::pair<std::string, Entry>> m_entries;
};

}  // namespace rest
