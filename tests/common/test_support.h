#pragma once
// Support for tests of windows: a recorder for the message boxes the program shows, and a reset
// of the program-wide values.
#include "test_paths.h"

#include <QStringList>

namespace testing_support {

// Records every message box instead of showing it, while alive.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QStringList texts() const;
    QStringList captions() const;
    int count() const;
    QString last() const;
    void clear();
};

// Puts every program-wide value back to its value at load.
void resetProgramValues();

}  // namespace testing_support
