#pragma once
// One adapter per JSON library: parse to its DOM, walk every value, write compact text.
// Each walk visits every value and folds it into a checksum so nothing is optimised away.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// A parsed document of one library; the adapter owns whatever it needs.
class ParsedDocument {
 public:
  virtual ~ParsedDocument() = default;
  virtual double walk() const = 0;
  virtual std::size_t write() const = 0;  // length of the text written
};

class Codec {
 public:
  virtual ~Codec() = default;
  virtual const char* name() const = 0;
  // Parses a fresh document from `text`; throws std::runtime_error when the library refuses it.
  virtual std::unique_ptr<ParsedDocument> parse(const std::string& text) = 0;
};

// This project's codec first, then the peers.
std::vector<std::unique_ptr<Codec>> makeCodecs();

}  // namespace bench
