#include "browser_session.h"

#include "main_window.h"
#include "program_values.h"
#include "search_window.h"

#include <QCoreApplication>

BrowserSession::BrowserSession(const QString& exePath, std::uint8_t language)
{
    testing_support::resetProgramValues();
    if (!startup_.CreateMainWindow(exePath))
        return;
    CurrentLanguage = language;
    SplashCancelled = false;
    startup_.CreateSearchWindow();
    startup_.Form1->show();  // its showing applies the language and opens the first page
    QCoreApplication::processEvents();
    started_ = true;
}

BrowserSession::~BrowserSession()
{
    startup_.Release();
    testing_support::resetProgramValues();
}
