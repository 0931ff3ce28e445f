#pragma once
// Logging categories named after the components, and the one-line message format:
// "<level letter> <component>:<source file>:<line> <text>".
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcRestNetwork)
Q_DECLARE_LOGGING_CATEGORY(lcRestQueue)
Q_DECLARE_LOGGING_CATEGORY(lcRestCache)
Q_DECLARE_LOGGING_CATEGORY(lcRestReachability)
Q_DECLARE_LOGGING_CATEGORY(lcRestObjectMapping)
Q_DECLARE_LOGGING_CATEGORY(lcApp)

namespace foundation {

// Formats one message as it is written to the log.
QString formatLogLine(QtMsgType type, const QMessageLogContext& context, const QString& text);

// Installs the formatter as Qt's message handler (stderr) and turns the components down to
// warnings and above. Safe to call more than once. A rule set in QT_LOGGING_RULES still wins.
void installLogging();

}  // namespace foundation
