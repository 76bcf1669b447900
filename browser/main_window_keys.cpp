// Keys of the main window and the page viewer's commands behind them: stepping, the go-to box,
// Exit, zoom, printing and saving as PDF. They are shortcuts of the main window alone: none acts
// while the splash (the main window is hidden then), a message box or another modal window is up,
// and none is one of the splash's, the go-to filter's or the search window's keys.
#include "main_window.h"

#include "page_files.h"
#include "page_output.h"
#include "pdf_file_name.h"
#include "program_values.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <QShortcut>
#include <QWebEngineView>

void TForm1::setUpKeys()
{
    // The page leads the tab order, the go-to box follows it.
    WebBrowser1->setNextInTabOrder(ui->tGoTo);

    struct Key {
        QKeySequence keys;
        void (TForm1::*command)();
    };
    const Key keys[] = {
        {QKeySequence(Qt::ALT | Qt::Key_Right), &TForm1::cmdNextClick},
        {QKeySequence(Qt::ALT | Qt::Key_Left), &TForm1::cmdPrevClick},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), &TForm1::cmdExitClick},
        {QKeySequence(Qt::CTRL | Qt::Key_P), &TForm1::PrintPage},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TForm1::SaveAsPdf},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, command = key.command] {
            // Previous and Next act only while their buttons are enabled.
            if ((command == &TForm1::cmdNextClick && !ui->cmdNext->isEnabled()) ||
                (command == &TForm1::cmdPrevClick && !ui->cmdPrev->isEnabled()))
                return;
            (this->*command)();
        });
    }

    auto* goTo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(goTo, &QShortcut::activated, this, [this] {
        ui->tGoTo->setFocus(Qt::ShortcutFocusReason);
        ui->tGoTo->selectAll();
    });
    connect(ui->tGoTo, &QLineEdit::returnPressed, this, &TForm1::cmdGoToClick);

    struct Zoom {
        QList<QKeySequence> keys;
        void (TWebBrowser::*command)();
    };
    const Zoom zooms[] = {
        {{QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)}, &TWebBrowser::zoomIn},
        {{QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &TWebBrowser::zoomOut},
        {{QKeySequence(Qt::CTRL | Qt::Key_0)}, &TWebBrowser::resetZoom},
    };
    for (const Zoom& zoom : zooms) {
        for (const QKeySequence& sequence : zoom.keys) {
            auto* shortcut = new QShortcut(sequence, this);
            connect(shortcut, &QShortcut::activated, this, [this, command = zoom.command] { (WebBrowser1->*command)(); });
        }
    }

    connect(WebBrowser1, &TWebBrowser::printRequested, this, &TForm1::PrintPage);
    connect(WebBrowser1, &TWebBrowser::saveAsPdfRequested, this, &TForm1::SaveAsPdf);
}

void TForm1::PrintPage() { ::PrintPage(WebBrowser1->view(), this); }

void TForm1::SaveAsPdf() { SavePageAsPdf(WebBrowser1->view()->page(), ProposedPdfName(), this); }

QString TForm1::ProposedPdfName() const
{
    return PdfFileName(PositionForFileName(CurrentCategory, CurrentPosition), WebBrowser1->view()->title());
}
