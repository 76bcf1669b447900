#include "query_marks.h"

#include "catalogue_finder.h"
#include "catalogue_search.h"
#include "find_bar.h"
#include "page_marks_script.h"
#include "page_names.h"
#include "web_browser.h"

#include <QPointer>
#include <QShortcut>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// The file name at the end of an address, whichever separator it uses.
QString FileNameOf(const QString& url)
{
    const qsizetype slash = std::max(url.lastIndexOf(QLatin1Char('/')), url.lastIndexOf(QLatin1Char('\\')));
    return url.mid(slash + 1);
}

}  // namespace

QueryMarks::QueryMarks(TWebBrowser* browser, CatalogueSearch* search, CatalogueFinder* finder, FindBar* bar,
                       QObject* parent)
    : QObject(parent), browser_(browser), search_(search), finder_(finder), bar_(bar),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), browser->window()))
{
    // While the find bar is open its own Esc closes it, and the marks go with it.
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &QueryMarks::Clear);
    connect(bar_, &FindBar::opened, this, &QueryMarks::updateEscape);
    connect(bar_, &FindBar::closed, this, &QueryMarks::Clear);
    connect(browser_, &TWebBrowser::BeforeNavigate2, this, &QueryMarks::navigating);
}

void QueryMarks::navigating(const QString& url)
{
    if (!watchingView_ && browser_->view()) {
        connect(browser_->view(), &QWebEngineView::loadFinished, this, &QueryMarks::loaded);
        watchingView_ = true;
    }
    // Any page leaves the marks behind; a page file opened from the results page gets its own.
    marked_.clear();
    updateEscape();
    opening_.reset();
    const QString file = FileNameOf(url);
    // A link followed on the results page; not Next, the menu or any other command.
    if (!browser_->reportingProgramNavigation() && search_->ResultsPageShown() && !search_->Query().isEmpty() &&
        ParsePageName(file))
        opening_ = Opening{search_->Query(), file};
}

void QueryMarks::loaded(bool ok)
{
    QWebEngineView* view = browser_->view();
    // The end of an earlier load (the results page's own, say) may come after the link was
    // followed: only the page asked for counts.
    if (!opening_ || FileNameOf(view->url().toString()) != opening_->pageFile)
        return;
    const Opening opening = *opening_;
    opening_.reset();
    const std::shared_ptr<const fulltext::CatalogueIndex> index = finder_->index();
    if (!ok || !index)
        return;
    const std::vector<QString> words = index->WordsToMark(opening.query, opening.pageFile);
    marked_ = QStringList(words.begin(), words.end());
    updateEscape();
    if (marked_.isEmpty()) {
        emit marksShown(0);
        return;
    }
    view->page()->runJavaScript(MarkWordsScript(marked_), [self = QPointer<QueryMarks>(this)](const QVariant& count) {
        if (self)
            emit self->marksShown(count.toInt());
    });
}

void QueryMarks::Clear()
{
    if (marked_.isEmpty())
        return;
    marked_.clear();
    updateEscape();
    if (QWebEngineView* view = browser_->view())
        view->page()->runJavaScript(ClearMarksScript());
}

void QueryMarks::updateEscape() { escape_->setEnabled(!marked_.isEmpty() && bar_->isHidden()); }
