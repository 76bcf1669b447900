#pragma once
// The start-up order of the program and the ways it ends. The main window is created first (its
// creation opens the database and counts the projects), then the splash window, which waits for
// a language; only after a choice come the search window, the message loop and the main window.
#include "session.h"

#include <QString>

class TForm1;
class TfrmSplash;
class TfrmSearch;

class TStartup {
public:
    TStartup();
    ~TStartup();  // releases the windows, then OLE

    // Creates the main window, hidden, and runs its creation handler under the error report.
    // Returns false when the count check failed and the program must end.
    bool CreateMainWindow(const QString& exePath);
    // Creates the splash window and brings it to the front.
    void ShowSplash();
    // Waits, blocking, until the splash window is hidden or closed.
    void WaitForSplash();
    // After a language was chosen: the search window, hidden.
    void CreateSearchWindow();
    // Shows the main window and runs the message loop; closes the dataset if a search left it open.
    void RunMessageLoop();
    // Releases the windows in creation order's reverse and uninitialises OLE.
    void Release();

    // The program's values, from load to the end of the process; the windows hold on to it.
    Session session;
    TForm1* Form1 = nullptr;
    TfrmSplash* frmSplash = nullptr;
    TfrmSearch* frmSearch = nullptr;

private:
    bool released_ = false;
};

// The whole program: returns the process exit code (0 on every way out).
int RunProgram(int& argc, char** argv);
