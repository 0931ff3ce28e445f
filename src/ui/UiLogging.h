#pragma once
// The toolkit's logging category ("ui"): missing pictures, bad options. Warnings are on.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcUi)
