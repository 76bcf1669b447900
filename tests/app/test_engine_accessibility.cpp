// The HTML engine's accessibility for Linux assistive technology: switched on for the engine
// unless the user decided otherwise, "0" or an empty value meaning off.
#include <gtest/gtest.h>

#include "platform.h"

#include <QByteArray>

namespace {
constexpr const char* Name = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";

// The variable as the engine will see it after the program's preparation, from a given start.
QByteArray SeenByTheEngine(const char* userValue)
{
    userValue ? qputenv(Name, userValue) : qunsetenv(Name);
    EnableHtmlEngineAccessibility();
    return qEnvironmentVariableIsSet(Name) ? qgetenv(Name) : QByteArray("(unset)");
}
}  // namespace

TEST(EngineAccessibility, OnUnlessTheUserSwitchedItOff)
{
    const bool wasSet = qEnvironmentVariableIsSet(Name);
    const QByteArray was = qgetenv(Name);
    EXPECT_EQ(SeenByTheEngine(nullptr), "1");
    EXPECT_EQ(SeenByTheEngine("yes"), "yes") << "the user's own value stays";
    EXPECT_EQ(SeenByTheEngine("0"), "(unset)") << "the engine takes any value as on";
    EXPECT_EQ(SeenByTheEngine(" "), "(unset)");
    wasSet ? qputenv(Name, was) : qunsetenv(Name);
}
