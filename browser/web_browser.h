#pragma once
// The embedded HTML view: one operation, Navigate, and one event, BeforeNavigate2, raised before
// every navigation with its target address. Navigations the program asks for are reported before
// Navigate returns; those a page starts (links, frames, scripts) are reported as the engine asks
// whether to accept them. Nothing is ever cancelled. The engine's profile is off the record, so
// the view writes no cache, cookies or storage to disk.
#include <QUrl>
#include <QWidget>
#include <optional>

class QWebEngineView;
class QWebEngineProfile;

class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Reports the address through BeforeNavigate2, then starts loading it. A "file://" address is
    // taken as a local path, so spaces, "#" or Cyrillic letters in the folder are kept as they are.
    void Navigate(const QString& url);

    // The engine's view; created with the first navigation, so start-up does not wait for it.
    QWebEngineView* view() const;

signals:
    void BeforeNavigate2(const QString& url);
    // The page of the latest navigation has finished loading.
    void loadFinished(bool ok);

private:
    class Page;
    void ensureView();
    void reportFromEngine(const QUrl& url, bool programRequested);

    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* view_ = nullptr;
    Page* page_ = nullptr;
    std::optional<QUrl> pendingProgramUrl_;
};
