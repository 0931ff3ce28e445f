#pragma once
// The camera still image arrives as Base64 text inside a key/value answer.
#include <QByteArray>

#include <optional>
#include <string_view>

namespace backend::camera {

// Decodes Base64 (alphabet A-Z a-z 0-9 + /). White space and "=" are skipped wherever they are;
// an empty text gives empty data. Any other character, or a last group of a single symbol (which
// cannot carry a whole byte), gives no data at all.
std::optional<QByteArray> decodeStillImageBase64(std::string_view text);

}  // namespace backend::camera
