#pragma once
// What the search window asks of the main window: the shared dataset and its data source, and
// opening a catalogue position in the HTML view.
#include <cstdint>

class QWidget;
class TADOQuery;
class TDataSource;

class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;
    // The window that owns the search window (its screen and its modality).
    virtual QWidget* ownerWindow() = 0;
    virtual TADOQuery* dataset() const = 0;
    virtual TDataSource* dataSource() const = 0;
    // Makes the position current and shows its page.
    virtual void OpenPageAt(std::int32_t category, std::int32_t position) = 0;
};
