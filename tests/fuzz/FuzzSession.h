#pragma once
// One test session (program folder and user folders in the temporary folder) for the whole run
// of a fuzz target that needs files; removed when the run ends.

#include "support/TestSession.h"

inline TestSession& FuzzSession() {
    static TestSession session;
    return session;
}
