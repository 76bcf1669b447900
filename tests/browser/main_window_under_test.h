#pragma once
// A main window for tests of its layout and languages: a session as after the
// window's creation, page files nowhere (the HTML view shows nothing), every navigation the
// window asks for recorded, and message boxes recorded instead of shown.
#include "main_window.h"
#include "session.h"
#include "test_support.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class MainWindowUnderTest {
public:
    // language 0 leaves the window as designed until a language is chosen.
    explicit MainWindowUnderTest(std::uint8_t language, bool show = true)
    {
        session.FillLanguages();
        session.ExeDir = folder.path() + u'/';
        session.MenuVisible = true;
        session.CurrentLanguage = language;
        form = std::make_unique<TForm1>(session);
        QObject::connect(form->WebBrowser1, &TWebBrowser::BeforeNavigate2,
                         [this](const QString& url) { navigations << url; });
        if (show)
            form->show();
    }

    Ui::Form1& ui() const { return form->controls(); }

    Session session;
    QTemporaryDir folder;
    testing_support::MessageRecorder messages;
    QStringList navigations;
    std::unique_ptr<TForm1> form;
};
