#pragma once
// Runs catalogue searches and shows their results page in the HTML view: 50 results at a time,
// the next ones when the page's own link asks for them, and a notice with the number of pages
// read while the index is still being prepared (replaced by the results once it is ready, if
// the notice is still shown).
#include <QObject>
#include <QString>
#include <QUrl>

class CatalogueFinder;
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

    const Session& session_;
    TWebBrowser* browser_;
    CatalogueFinder* finder_;
    QTimer* progress_;
    QString query_;
    int offset_ = 0;
    bool waitingForIndex_ = false;
    bool watchingView_ = false;
};
