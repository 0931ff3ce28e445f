#pragma once
// Number to text, locale-independent (the application sets a French locale, where printf
// would write "0,1").
#include <cstddef>
#include <cstdint>
#include <string>

namespace json {

// The shortest decimal text that reads back as the same double ("0.1", "3.5", "1e+21", "3").
// For non-finite values: "nan", "inf" or "-inf".
std::string shortestDouble(double value);

// The serializer's form: 17 significant digits, as printf's "%.17g" in the C locale
// (0.1 -> "0.10000000000000001"). Writes into `out` (at least kMaxDoubleText bytes) and
// returns the length. The caller rejects non-finite values first.
inline constexpr std::size_t kMaxDoubleText = 48;
std::size_t formatDouble17(double value, char* out);

}  // namespace json
