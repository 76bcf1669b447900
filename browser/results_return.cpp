#include "results_return.h"

#include "catalogue_search.h"
#include "session.h"
#include "web_browser.h"

#include <QWebEnginePage>
#include <QWebEngineView>

ResultsReturn::ResultsReturn(const Session& session, CatalogueSearch* search, TWebBrowser* browser, QObject* parent)
    : QObject(parent), session_(session), search_(search), browser_(browser)
{
    // Every way of leaving a page is reported here first, while the results are still shown.
    connect(browser_, &TWebBrowser::BeforeNavigate2, this, &ResultsReturn::leaving);
    watchView();
}

void ResultsReturn::watchView()
{
    QWebEngineView* view = browser_->view();
    if (watchingView_ || !view)
        return;
    connect(view, &QWebEngineView::urlChanged, this, &ResultsReturn::viewAddressChanged);
    connect(view, &QWebEngineView::loadFinished, this, &ResultsReturn::loaded);
    watchingView_ = true;
}

bool ResultsReturn::ResultsShown() const
{
    const QWebEngineView* view = browser_->view();
    return view && view->url() == CatalogueSearch::ResultsBaseUrl(session_.ExeDir);
}

void ResultsReturn::viewAddressChanged(const QUrl& address)
{
    if (available_ || address != CatalogueSearch::ResultsBaseUrl(session_.ExeDir))
        return;
    available_ = true;
    emit becameAvailable();
}

void ResultsReturn::leaving()
{
    watchView();
    if (ResultsShown())
        place_ = browser_->view()->page()->scrollPosition();
}

void ResultsReturn::Show()
{
    watchView();
    if (!available_ || search_->Query().isEmpty())
        return;
    leaving();
    restoring_ = place_;
    search_->ShowAgain();
}

void ResultsReturn::loaded(bool ok)
{
    if (!restoring_ || !ok || !ResultsShown())
        return;
    const QPointF place = *restoring_;
    restoring_.reset();
    // Once the page is laid out, should the end of an earlier load have come first.
    browser_->view()->page()->runJavaScript(
        QStringLiteral("(function () { var go = function () { window.scrollTo(%1, %2); };"
                       " if (document.readyState === 'complete') go(); else addEventListener('load', go); })();")
            .arg(place.x())
            .arg(place.y()));
}
