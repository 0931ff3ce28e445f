#include "json/Writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "json/Errors.h"
#include "json/Escape.h"
#include "json/IntegerText.h"
#include "json/Numbers.h"
#include "json/Utf8.h"

namespace json {

Writer::Writer(std::size_t sizeHint, bool checkUtf8) : m_checkUtf8(checkUtf8) {
  m_out.resize(sizeHint < 64 ? 64 : sizeHint);
  m_pos = m_out.data();
  m_limit = m_pos + m_out.size();
}

void Writer::grow(std::size_t bytes) {
  const auto used = static_cast<std::size_t>(m_pos - m_out.data());
  std::size_t capacity = m_out.size() * 2;
  if (capacity < used + bytes) capacity = used + bytes;
  m_out.resize(capacity);
  m_pos = m_out.data() + used;
  m_limit = m_out.data() + m_out.size();
}

void Writer::fail(int code, std::string message) {
  if (!m_error) m_error = foundation::Error{kJsonErrorDomain, code, std::move(message), -1};
}

void Writer::open(char bracket) {
  separate();
  put(bracket);
  m_needComma = false;
}

void Writer::close(char bracket) {
  put(bracket);
  m_needComma = true;
}

void Writer::key(std::string_view name) {
  separate();
  writeString(name);
  put(':');
  m_needComma = false;
}

void Writer::null() {
  separate();
  reserve(4);
  std::memcpy(m_pos, "null", 4);
  m_pos += 4;
  m_needComma = true;
}

void Writer::boolean(bool value) {
  separate();
  reserve(5);
  if (value) {
    std::memcpy(m_pos, "true", 4);
    m_pos += 4;
  } else {
    std::memcpy(m_pos, "false", 5);
    m_pos += 5;
  }
  m_needComma = true;
}

void Writer::int64(std::int64_t value) {
  reserve(text::kMaxIntegerText + 1);
  if (m_needComma) *m_pos++ = ',';
  m_pos = text::writeSigned(m_pos, value);
  m_needComma = true;
}

void Writer::uint64(std::uint64_t value) {
  reserve(text::kMaxIntegerText + 1);
  if (m_needComma) *m_pos++ = ',';
  m_pos = text::writeUnsigned(m_pos, value);
  m_needComma = true;
}

void Writer::number(double value) {
  if (!std::isfinite(value)) {
    fail(kErrorNotFinite, message::kNotFinite);
    return;
  }
  separate();
  reserve(kMaxDoubleText);
  m_pos += formatDouble17(value, m_pos);
  m_needComma = true;
}

void Writer::string(std::string_view value) {
  separate();
  writeString(value);
  m_needComma = true;
}

void Writer::writeString(std::string_view text) {
  if (m_checkUtf8 && !utf8::isValid(text)) {
    fail(kErrorInvalidUtf8Output, "A string to be written is not valid UTF-8.");
    return;
  }
  // Escape in slices so that a huge string does not reserve six times its size at once.
  constexpr std::size_t kSlice = 64 * 1024;
  const char* p = text.data();
  const char* const end = p + text.size();
  if (text.size() <= kSlice) {
    reserve(detail::escapedRoom(text.size()) + 2);
    *m_pos++ = '"';
    m_pos = detail::escapeInto(m_pos, p, end);
    *m_pos++ = '"';
    return;
  }
  put('"');
  while (p < end) {
    const std::size_t slice = std::min<std::size_t>(kSlice, static_cast<std::size_t>(end - p));
    reserve(detail::escapedRoom(slice));
    m_pos = detail::escapeInto(m_pos, p, p + slice);
    p += slice;
  }
  put('"');
}

foundation::Result<std::string> Writer::finish() {
  if (m_error) return *m_error;
  m_out.resize(static_cast<std::size_t>(m_pos - m_out.data()));
  m_pos = m_limit = nullptr;
  return std::move(m_out);
}

}  // namespace json
