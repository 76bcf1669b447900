#pragma once
// The text of `velora-catalogue-tool --help`.
#include <QString>

class ToolHelp {
public:
    static QString text();
};
