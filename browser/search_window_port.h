#pragma once
// What the main window asks of the search window: its language texts, the count shown before a
// search, and a modal showing.
#include <QString>

class SearchWindowPort {
public:
    virtual ~SearchWindowPort() = default;
    // The search window's part of applying the current language.
    virtual void ApplyLanguage() = 0;
    virtual void setRecordCountText(const QString& text) = 0;
    // Shows the window modally; returns when it closes.
    virtual void ShowModal() = 0;
};
