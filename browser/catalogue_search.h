#pragma once
// Runs catalogue searches and shows their results page in the HTML view: 50 results at a time,
// the next ones when the page's own link asks for them, and a notice with the number of pages
// read while the index is still being prepared (replaced by the results once it is ready, if
// the notice is still shown). Queries run on a thread of their own (LatestJob), the newest
// replacing one still running, so the window never waits for one; results arrive only if the
// view has not gone on to another page meanwhile. An index that proves damaged or out of date
// is rebuilt in memory and the query shown once it is ready.
#include <QObject>
#include <QString>
#include <QUrl>

class CatalogueFinder;
class LatestJob;
class QTimer;
struct Session;
class TWebBrowser;

class CatalogueSearch : public QObject {
    Q_OBJECT
public:
    // Searches in the session's language and catalogue folder.
    CatalogueSearch(const Session& session, TWebBrowser* browser, CatalogueFinder* finder, QObject* parent = nullptr);

    // Shows the first results of the query; a blank query does nothing.
    void Search(const QString& query);

    // A query runs or its results are on their way.
    bool Searching() const;

    // The address the results page is shown under: the data folder, so its links are the page files.
    static QUrl ResultsBaseUrl(const QString& exeDir);

    // The query of the last results page shown (empty before the first search), and that page
    // shown again, in the session's language as it is now.
    QString Query() const { return query_; }
    void ShowAgain() { show(offset_); }
    bool ResultsPageShown() const { return resultsPageShown(); }

private:
    void show(int offset);
    bool resultsPageShown() const;
    void viewAddressChanged(const QUrl& address);
    void finderPrepared();
    void showPagesRead();
    void showResults(const QString& html);
    void indexUnsound(int offset, bool stillShown);

    const Session& session_;
    TWebBrowser* browser_;
    CatalogueFinder* finder_;
    QTimer* progress_;
    LatestJob* queries_;
    QString query_;
    int offset_ = 0;
    bool waitingForIndex_ = false;
    bool watchingView_ = false;
    int navigations_ = 0;  // to other addresses than the results pages
    int noticeNavigations_ = 0;  // navigations_ when the notice was shown
};
