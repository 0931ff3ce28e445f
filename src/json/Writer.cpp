#include "json/Writer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "json/Errors.h"
#include "json/Numbers.h"
#include "json/Utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  separate();
  reserve(24);
  m_pos = std::to_chars(m_pos, m_limit, value).ptr;
  m_needComma = true;
}

void Writer::uint64(std::uint64_t value) {
  separate();
  reserve(24);
  m_pos = std::to_chars(m_pos, m_limit, value).ptr;
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
  static constexpr char kHex[] = "0123456789abcdef";
  const char* p = text.data();
  const char* const end = p + text.size();
  reserve(text.size() + 2 + 16);
  *m_pos++ = '"';
  for (;;) {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i controlMax = _mm_set1_epi8(0x1F);
    while (end - p >= 16) {
      // Room for this block and the closing quote (escapes reserve their own).
      if (m_limit - m_pos < 18) reserve(static_cast<std::size_t>(end - p) + 18);
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(m_pos), v);
      const __m128i control = _mm_cmpeq_epi8(_mm_max_epu8(v, controlMax), controlMax);  // v <= 0x1F
      const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)), control);
      const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(special));
      if (mask != 0) {
        const unsigned index = static_cast<unsigned>(__builtin_ctz(mask));
        p += index;
        m_pos += index;
        goto escape;
      }
      p += 16;
      m_pos += 16;
    }
#endif
    reserve(static_cast<std::size_t>(end - p) + 1);
    while (p < end) {
      const auto c = static_cast<unsigned char>(*p);
      if (c == '"' || c == '\\' || c < 0x20) goto escape;
      *m_pos++ = static_cast<char>(c);
      ++p;
    }
    break;

  escape:
    reserve(static_cast<std::size_t>(end - p) + 8);
    const auto c = static_cast<unsigned char>(*p++);
    *m_pos++ = '\\';
    switch (c) {
      case '"': *m_pos++ = '"'; break;
      case '\\': *m_pos++ = '\\'; break;
      case '\b': *m_pos++ = 'b'; break;
      case '\f': *m_pos++ = 'f'; break;
      case '\n': *m_pos++ = 'n'; break;
      case '\r': *m_pos++ = 'r'; break;
      case '\t': *m_pos++ = 't'; break;
      default:
        std::memcpy(m_pos, "u00", 3);
        m_pos[3] = kHex[c >> 4];
        m_pos[4] = kHex[c & 0xF];
        m_pos += 5;
        break;
    }
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
