// Reading aids of the main window: dark pages (an entry of the page's context menu and
// Ctrl+Shift+D, for the session only; on from the start when the desktop's colours are dark), the
// zoom level shown for a moment as it changes, and a note naming the file a page was saved to.
#include "main_window.h"

#include "dark_pages.h"
#include "find_bar.h"
#include "page_notice.h"
#include "web_browser.h"
#include "zoom_steps.h"

#include <QApplication>
#include <QShortcut>

namespace {
constexpr int zoomNoticeMs = 1500;
}  // namespace

void TForm1::setUpReadingAids()
{
    pageNotice_ = new PageNotice(WebBrowser1);
    connect(WebBrowser1, &TWebBrowser::zoomChanged, this,
            [this](double factor) { pageNotice_->showNotice(ZoomPercentText(factor), zoomNoticeMs); });
    connect(WebBrowser1, &TWebBrowser::darkPagesChanged, this, &TForm1::followDarkPages);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), this), &QShortcut::activated, this,
            [this] { WebBrowser1->setDarkPages(!WebBrowser1->darkPages()); });
    // Before the first page loads, so that it is drawn dark from the start.
    if (PaletteIsDark(QApplication::palette()))
        WebBrowser1->setDarkPages(true);
}

void TForm1::followDarkPages(bool on)
{
    // The find bar goes dark with the page; off, it takes the application's palette again.
    findBar_->setPalette(on ? DarkControlsPalette(QApplication::palette()) : QPalette());
}
