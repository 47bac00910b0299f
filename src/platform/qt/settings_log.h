#pragma once

// Where the program says, once per run, why it gave up a save, a read, a folder or the
// single-instance lock, on every system (warnings are on by default;
// QT_LOGGING_RULES="ssn.settings.warning=false" silences them).

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcSettings)
