// Finding text: the find bar under the HTML view (Ctrl+F in the page, Ctrl+Shift+F in the whole
// catalogue, F3 and Shift+F3 for the next and previous match), the catalogue's full-text index and
// its project titles, prepared once the first page is shown, the way back to the results (Alt+Up)
// and the query's words marked on a page opened from them.
#include "main_window.h"

#include "catalogue_finder.h"
#include "catalogue_search.h"
#include "find_bar.h"
#include "query_marks.h"
#include "results_return.h"
#include "session.h"
#include "title_suggester.h"
#include "web_browser.h"

#include <QShortcut>

void TForm1::setUpFinding()
{
    findBar_ = new FindBar(WebBrowser1);
    catalogueFinder_ = new CatalogueFinder(this);
    catalogueSearch_ = new CatalogueSearch(session_, WebBrowser1, catalogueFinder_, this);
    connect(findBar_, &FindBar::catalogueSearchRequested, catalogueSearch_, &CatalogueSearch::Search);
    titleSuggester_ = new TitleSuggester(this);
    findBar_->SetSuggestionSource([this](const QString& text) {
        return titleSuggester_->Suggest(text, session_.Languages[session_.CurrentLanguage].Letter, 10);
    });
    connect(findBar_, &FindBar::suggestionChosen, this, &TForm1::OpenPageAt);
    resultsReturn_ = new ResultsReturn(session_, catalogueSearch_, WebBrowser1, this);
    connect(resultsReturn_, &ResultsReturn::becameAvailable, this, [this] { findBar_->SetResultsAvailable(true); });
    connect(findBar_, &FindBar::backToResultsRequested, this, &TForm1::ShowLastResults);
    queryMarks_ = new QueryMarks(WebBrowser1, catalogueSearch_, catalogueFinder_, findBar_, this);
    // The page's context menu offers both finds too.
    connect(WebBrowser1, &TWebBrowser::findInPageRequested, this, &TForm1::ShowFindInPage);
    connect(WebBrowser1, &TWebBrowser::searchCatalogueRequested, this, &TForm1::ShowCatalogueSearch);

    // The index is prepared after the first page has been shown, so start-up does not wait.
    connect(
        WebBrowser1, &TWebBrowser::loadFinished, this,
        [this] {
            catalogueFinder_->Start(session_.ExeDir);
            titleSuggester_->Start(session_.ExeDir);
        },
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
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Up), &TForm1::ShowLastResults);
}

void TForm1::ShowFindInPage() { findBar_->Open(FindBar::Scope::Page); }

void TForm1::ShowCatalogueSearch() { findBar_->Open(FindBar::Scope::Catalogue); }

void TForm1::ShowLastResults() { resultsReturn_->Show(); }

void TForm1::reopenAfterLanguageChange()
{
    // The results page is no position: it stays, in the new language and at its place.
    if (resultsReturn_->ResultsShown())
        resultsReturn_->Show();
    else
        OpenPage();
}
