// Finding text: the find bar under the HTML view (Ctrl+F in the page, Ctrl+Shift+F in the whole
// catalogue, F3 and Shift+F3 for the next and previous match) and the catalogue's full-text
// index, prepared once the first page is shown.
#include "main_window.h"

#include "catalogue_finder.h"
#include "catalogue_search.h"
#include "find_bar.h"
#include "session.h"
#include "web_browser.h"

#include <QShortcut>

void TForm1::setUpFinding()
{
    findBar_ = new FindBar(WebBrowser1);
    catalogueFinder_ = new CatalogueFinder(this);
    catalogueSearch_ = new CatalogueSearch(session_, WebBrowser1, catalogueFinder_, this);
    connect(findBar_, &FindBar::catalogueSearchRequested, catalogueSearch_, &CatalogueSearch::Search);
    // The page's context menu offers both finds too.
    connect(WebBrowser1, &TWebBrowser::findInPageRequested, this, &TForm1::ShowFindInPage);
    connect(WebBrowser1, &TWebBrowser::searchCatalogueRequested, this, &TForm1::ShowCatalogueSearch);

    // The index is prepared after the first page has been shown, so start-up does not wait.
    connect(
        WebBrowser1, &TWebBrowser::loadFinished, this, [this] { catalogueFinder_->Start(session_.ExeDir); },
        Qt::SingleShotConnection);

    const auto shortcut = [this](const QKeySequence& keys, auto handler) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &TForm1::ShowFindInPage);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &TForm1::ShowCatalogueSearch);
    shortcut(QKeySequence(Qt::Key_F3), [this] {
        if (findBar_->isHidden())
            ShowFindInPage();
        else
            findBar_->FindNext();
    });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] {
        if (!findBar_->isHidden())
            findBar_->FindPrevious();
    });
}

void TForm1::ShowFindInPage() { findBar_->Open(FindBar::Scope::Page); }

void TForm1::ShowCatalogueSearch() { findBar_->Open(FindBar::Scope::Catalogue); }
