#pragma once
// Localized texts, looked up by key in the app's string tables (Qt Linguist, context "TavroBox").
// French is the default table; a key missing from the table gives "".
#include <QString>

namespace foundation {

// Loads the table for `language` ("fr", "en"); an empty name picks the system locale's language
// when a table exists for it, else French. Returns the language loaded.
QString loadStrings(const QString& language = QString());
QString currentLanguage();

QString localized(const char* key);
inline QString localized(const QString& key) { return localized(key.toUtf8().constData()); }

}  // namespace foundation
