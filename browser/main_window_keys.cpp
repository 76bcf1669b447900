// Keys of the main window and the page viewer's commands behind them: stepping, the go-to box,
// Exit, zoom, printing and saving as PDF. They are shortcuts of the main window alone: none acts
// while the splash (the main window is hidden then), a message box or another modal window is up,
// and none is one of the splash's, the go-to filter's or the search window's keys.
#include "main_window.h"

#include "page_names.h"
#include "page_menu_texts.h"
#include "page_notice.h"
#include "page_output.h"
#include "pdf_file_name.h"
#include "session.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <QDir>
#include <QShortcut>
#include <QWebEngineView>

void TForm1::setUpKeys()
{
    // The page leads the tab order, the go-to box follows it.
    WebBrowser1->setNextInTabOrder(ui->tGoTo);

    const auto key = [this](const QKeySequence& sequence, auto command) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, command);
    };
    // Previous and Next act only while their buttons are enabled.
    key(QKeySequence(Qt::ALT | Qt::Key_Right), [this] {
        if (ui->cmdNext->isEnabled())
            cmdNextClick();
    });
    key(QKeySequence(Qt::ALT | Qt::Key_Left), [this] {
        if (ui->cmdPrev->isEnabled())
            cmdPrevClick();
    });
    key(QKeySequence(Qt::CTRL | Qt::Key_Q), &TForm1::cmdExitClick);
    key(QKeySequence(Qt::CTRL | Qt::Key_P), &TForm1::PrintPage);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TForm1::SaveAsPdf);

    key(QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
        ui->tGoTo->setFocus(Qt::ShortcutFocusReason);
        ui->tGoTo->selectAll();
    });
    connect(ui->tGoTo, &QLineEdit::returnPressed, this, &TForm1::cmdGoToClick);

    const auto zoomKey = [this](const QKeySequence& sequence, void (TWebBrowser::*command)()) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, WebBrowser1, command);
    };
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_Equal), &TWebBrowser::zoomIn);
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_Plus), &TWebBrowser::zoomIn);
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_Minus), &TWebBrowser::zoomOut);
    zoomKey(QKeySequence(Qt::CTRL | Qt::Key_0), &TWebBrowser::resetZoom);

    connect(WebBrowser1, &TWebBrowser::printRequested, this, &TForm1::PrintPage);
    connect(WebBrowser1, &TWebBrowser::saveAsPdfRequested, this, &TForm1::SaveAsPdf);
    setUpKeyboardRegions();
    setUpReadingAids();
}

void TForm1::PrintPage() { ::PrintPage(WebBrowser1->view(), this); }

void TForm1::SaveAsPdf()
{
    // A saved file is told in a note over the page, not in a box to close.
    const std::uint8_t language = session_.CurrentLanguage;
    SavePageAsPdf(
        WebBrowser1->view()->page(), ProposedPdfName(), language, this, [this, language](const QString& path) {
            pageNotice_->showNotice(PageMenuTextsFor(language).pdfSaved.arg(QDir::toNativeSeparators(path)), 6000);
        });
}

QString TForm1::ProposedPdfName() const
{
    return PdfFileName(PositionForFileName(session_.CurrentCategory, session_.CurrentPosition),
                       WebBrowser1->view()->title());
}
