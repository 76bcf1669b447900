#include "catalogue_search.h"

#include "catalogue_finder.h"
#include "latest_job.h"
#include "session.h"
#include "results_page.h"
#include "web_browser.h"

#include <QDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
constexpr int progressIntervalMs = 500;
}

CatalogueSearch::CatalogueSearch(const Session& session, TWebBrowser* browser, CatalogueFinder* finder, QObject* parent)
    : QObject(parent), session_(session), browser_(browser), finder_(finder), progress_(new QTimer(this)),
      queries_(new LatestJob(this))
{
    progress_->setInterval(progressIntervalMs);
    connect(progress_, &QTimer::timeout, this, &CatalogueSearch::showPagesRead);
    connect(finder_, &CatalogueFinder::prepared, this, &CatalogueSearch::finderPrepared);
    // Navigations reported from here on, other than the results pages themselves: results of a
    // query posted before one are not shown over the page it leads to.
    connect(browser_, &TWebBrowser::BeforeNavigate2, this, [this](const QString& address) {
        const QUrl url(address);
        if (url.scheme() != QLatin1String("data") && url.scheme() != QLatin1String("about") &&
            url != ResultsBaseUrl(session_.ExeDir))
            ++navigations_;
    });
}

QUrl CatalogueSearch::ResultsBaseUrl(const QString& exeDir)
{
    return QUrl::fromLocalFile(exeDir + QStringLiteral("data") + QDir::separator());
}

void CatalogueSearch::Search(const QString& query)
{
    if (query.trimmed().isEmpty())
        return;
    query_ = query;
    show(0);
}

void CatalogueSearch::show(int offset)
{
    QWebEngineView* view = browser_->view();
    if (!view)
        return;
    if (!watchingView_) {
        connect(view, &QWebEngineView::urlChanged, this, &CatalogueSearch::viewAddressChanged);
        watchingView_ = true;
    }
    offset_ = offset;
    if (finder_->state() == CatalogueFinder::State::NotStarted)
        finder_->Start(session_.ExeDir);
    const std::uint8_t language = session_.CurrentLanguage;
    QString html;
    waitingForIndex_ = false;
    switch (finder_->state()) {
    case CatalogueFinder::State::NotStarted:
    case CatalogueFinder::State::Preparing:
        html = IndexBuildingPageHtml(query_, finder_->pagesRead(), language);
        waitingForIndex_ = true;
        break;
    case CatalogueFinder::State::Unavailable: html = SearchUnavailablePageHtml(query_, language); break;
    case CatalogueFinder::State::Ready: {
        progress_->stop();
        const std::shared_ptr<const fulltext::CatalogueIndex> index = finder_->index();
        const QString query = query_;
        const QString letter = session_.Languages[language].Letter;
        const int changes = navigations_;
        queries_->Post([this, index, query, letter, offset, language, changes](const std::atomic_bool&) {
            LatestJob::Delivery delivery;
            try {
                const fulltext::Results results = index->Find(query, letter, offset, ResultsPerPage);
                const QString page = ResultsPageHtml(results, query, offset, language);
                delivery = [this, page, changes] {
                    if (changes == navigations_)
                        showResults(page);
                };
            } catch (const fulltext::UnsoundIndex&) {
                delivery = [this, offset, changes] { indexUnsound(offset, changes == navigations_); };
            } catch (...) {
                // A query never ends in an error box: whatever the index cannot answer finds nothing.
                const QString page = ResultsPageHtml({}, query, offset, language);
                delivery = [this, page] { showResults(page); };
            }
            return delivery;
        });
        return;
    }
    }
    noticeNavigations_ = navigations_;
    if (waitingForIndex_)
        progress_->start();
    else
        progress_->stop();
    queries_->Drop();
    showResults(html);
}

void CatalogueSearch::showResults(const QString& html)
{
    if (QWebEngineView* view = browser_->view())
        view->setHtml(html, ResultsBaseUrl(session_.ExeDir));
}

bool CatalogueSearch::Searching() const { return queries_->Busy(); }

void CatalogueSearch::indexUnsound(int offset, bool stillShown)
{
    // The index no longer matches the pages, or is damaged: one built in memory from the pages
    // as they are answers the query once it is ready.
    finder_->Rebuild();
    if (stillShown)
        show(offset);
}

bool CatalogueSearch::resultsPageShown() const
{
    const QWebEngineView* view = browser_->view();
    return view && view->url() == ResultsBaseUrl(session_.ExeDir);
}

void CatalogueSearch::viewAddressChanged(const QUrl& address)
{
    // The results page's link to further results: shown once the blank page it names is in.
    if (const auto offset = MoreResultsOffset(address))
        QTimer::singleShot(0, this, [this, at = *offset] { show(at); });
}

void CatalogueSearch::finderPrepared()
{
    if (!waitingForIndex_)
        return;
    progress_->stop();
    waitingForIndex_ = false;
    // The user may have gone on to a page meanwhile: the results replace only the notice.
    if (navigations_ == noticeNavigations_)
        show(offset_);
}

void CatalogueSearch::showPagesRead()
{
    if (!resultsPageShown())
        return;
    browser_->view()->page()->runJavaScript(
        QStringLiteral("var e = document.getElementById('pages-read'); if (e) e.textContent = '%1';")
            .arg(finder_->pagesRead()));
}
