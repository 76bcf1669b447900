#include "browser_session.h"

#include "main_window.h"
#include "session.h"
#include "search_window.h"

#include <QCoreApplication>

BrowserSession::BrowserSession(const QString& exePath, std::uint8_t language)
{
    if (!startup_.CreateMainWindow(exePath))
        return;
    startup_.session.CurrentLanguage = language;
    startup_.session.SplashCancelled = false;
    startup_.CreateSearchWindow();
    startup_.Form1->show();  // its showing applies the language and opens the first page
    QCoreApplication::processEvents();
    started_ = true;
}

BrowserSession::~BrowserSession() { startup_.Release(); }
