#pragma once
// The embedded HTML view: one operation, Navigate, and one event, BeforeNavigate2, raised before
// every navigation with its target address. Navigations the program asks for are reported before
// Navigate returns; those a page starts (links, frames, scripts) are reported as the engine asks
// whether to accept them. Nothing is ever cancelled. The engine's profile is off the record, so
// the view writes no cache, cookies or storage to disk.
//
// The view exists from the start, with the main window. Beside the catalogue's one operation it
// offers the comforts of a page viewer: its own context menu in the interface language, zoom in
// the steps browsers use (held for the session across pages), and requests to print, save as PDF
// and find, which the main window answers.
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <optional>

class QWebEngineView;
class QWebEngineProfile;
enum class PageCommand;
struct Session;

class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Reports the address through BeforeNavigate2, then starts loading it. A "file://" address is
    // taken as a local path, so spaces, "#" or Cyrillic letters in the folder are kept as they are.
    void Navigate(const QString& url);

    // True once the engine, its profile and the page exist (the first Preload or Navigate).
    bool engineStarted() const { return page_ != nullptr; }

    // Loads the page the program will most likely open first, hidden and unreported; start-up
    // calls it just before the splash shows, so that the engine, its renderer and the page start
    // while the person chooses a language; the page is drawn, off the screen, meanwhile. The next Navigate reports
    // its address as always: if it is this page, the page is taken as it stands, and what it did
    // meanwhile (navigations of its frames, the end of its load) is reported after it; otherwise it
    // is replaced and nothing of it is reported.
    void Preload(const QString& url);

    QWebEngineView* view() const;

    // True while BeforeNavigate2 reports a navigation the program asked for with Navigate (not
    // one the page started, such as a link the user followed).
    bool reportingProgramNavigation() const { return reportingProgramNavigation_; }

    // Zoom of the page, for the whole session: it holds across pages and is never saved.
    double zoomFactor() const { return zoom_; }
    void zoomIn();
    void zoomOut();
    void resetZoom();

    // Dark pages, for the session only: the page shown and every page after it (off at start).
    void setDarkPages(bool on);
    bool darkPages() const { return darkPages_; }

    // The session whose interface language the context menu speaks (English without one).
    void setSession(const Session* session) { session_ = session; }

    // The control that follows the view (and the engine's widgets inside it) in the tab order.
    void setNextInTabOrder(QWidget* next);

    // Runs a command of the context menu.
    void runCommand(PageCommand command);

signals:
    void BeforeNavigate2(const QString& url);
    // The page of the latest navigation has finished loading.
    void loadFinished(bool ok);
    // Commands the main window answers.
    void findInPageRequested();
    void searchCatalogueRequested();
    void printRequested();
    void saveAsPdfRequested();
    // The zoom or dark pages changed, by a key, the wheel or the context menu.
    void zoomChanged(double factor);
    void darkPagesChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Starts the engine, its off-the-record profile and the page, if nothing has done so yet.
    void Warm();
    class Page;
    // A page loaded ahead, until Navigate takes it or replaces it.
    struct Preloaded {
        QUrl url;
        bool asked = false;  // the engine has asked to load it
        QStringList reports;  // navigations its frames made, not reported yet
        std::optional<bool> finished;  // the end of its load, not reported yet
    };
    void reportFromEngine(const QUrl& url, bool programRequested);
    void pageLoadFinished(bool ok);
    bool adoptPreload(const QUrl& target);
    void setZoom(double factor);
    void showContextMenu(const QPoint& at);
    void keepTabOrder();

    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* view_ = nullptr;
    Page* page_ = nullptr;
    std::optional<QUrl> pendingProgramUrl_;
    std::optional<Preloaded> preload_;
    bool silentUntilAsked_ = false;  // a preload was given up: reports wait for the page asked for
    quint64 navigations_ = 0;
    bool reportingProgramNavigation_ = false;
    double zoom_ = 1.0;
    bool darkPages_ = false;
    QUrl menuLink_;
    QWidget* nextInTabOrder_ = nullptr;
    const Session* session_ = nullptr;
};
