#pragma once
// The text of `velora-catalogue-tool --help`.
#include <QString>

class ToolHelp {
public:
    static QString text();
};

// Every command exits with this code when its arguments are wrong, after its usage on stderr.
constexpr int kWrongArgumentsExitCode = 2;
