#pragma once
// The program's windows as the start-up leaves them after a language was chosen on the splash:
// main window created (database opened, projects counted) and shown, search window created.
// Message boxes are recorded instead of shown; handlers run under the default error report,
// as the application object runs them.
#include "startup.h"
#include "test_support.h"

#include <QString>

#include <cstdint>

class TForm1;
class TfrmSearch;

class BrowserSession {
public:
    BrowserSession(const QString& exePath, std::uint8_t language);
    ~BrowserSession();

    bool started() const { return started_; }
    TForm1& form() const { return *startup_.Form1; }
    TfrmSearch& search() const { return *startup_.frmSearch; }
    testing_support::MessageRecorder& messages() { return messages_; }
    // The program's values: language, position, counts, folder.
    Session& values() { return startup_.session; }

    // Runs a handler as the application object would: an escaping exception is reported.
    template <typename Handler>
    void run(Handler&& handler);

private:
    testing_support::MessageRecorder messages_;
    TStartup startup_;
    bool started_ = false;
};

#include "application.h"

template <typename Handler>
void BrowserSession::run(Handler&& handler)
{
    RunReported(std::forward<Handler>(handler));
}
