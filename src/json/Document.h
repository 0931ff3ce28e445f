#pragma once
// A parsed JSON document: owns the memory every json::Value of it points into.
//
// Lifetime: the document holds two heap blocks (the value tape and the string bytes) and frees
// them when it is destroyed. Values taken from root() are views into those blocks: they stay
// valid while the document lives, including after the document is moved (the blocks move with
// it), and dangle once it is destroyed. A document is immutable once parsed; any number of
// threads may read it at once. Copying is not allowed (share it with std::shared_ptr).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "json/Value.h"

namespace json {

class Document {
 public:
  Document() = default;
  ~Document() { release(); }
  Document(Document&& other) noexcept { *this = std::move(other); }
  Document& operator=(Document&& other) noexcept {
    if (this != &other) {
      release();
      m_words = std::exchange(other.m_words, nullptr);
      m_tapeBytes = std::exchange(other.m_tapeBytes, 0);
      m_strings = std::exchange(other.m_strings, nullptr);
      m_stringBytes = std::exchange(other.m_stringBytes, 0);
    }
    return *this;
  }
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // The top-level value (an object or an array for a parsed document; null for an empty one).
  Value root() const { return m_words ? Value(m_words, m_strings) : Value(); }

  // Bytes held by the document's two blocks, spare room included (up to an eighth of a large
  // document's blocks may be spare; see the parser).
  std::size_t memoryUsage() const { return m_tapeBytes + m_stringBytes; }

 private:
  friend class Parser;
  Document(std::uint64_t* words, std::size_t tapeBytes, char* strings, std::size_t stringBytes)
      : m_words(words), m_tapeBytes(tapeBytes), m_strings(strings), m_stringBytes(stringBytes) {}
  void release() {
    std::free(m_words);
    std::free(m_strings);
    m_words = nullptr;
    m_strings = nullptr;
  }

  std::uint64_t* m_words = nullptr;
  std::size_t m_tapeBytes = 0;
  char* m_strings = nullptr;
  std::size_t m_stringBytes = 0;
};

}  // namespace json
