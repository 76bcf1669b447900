#include "web_browser.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
QUrl UrlFromText(const QString& text)
{
    static const QString filePrefix = QStringLiteral("file://");
    if (text.startsWith(filePrefix, Qt::CaseInsensitive))
        return QUrl::fromLocalFile(text.mid(filePrefix.size()));
    return QUrl(text, QUrl::TolerantMode);
}
// A local address as "file://" and the plain path, as the program writes its own; a query or an
// anchor stays on the end, as the engine reports it.
QString AddressText(const QUrl& url)
{
    if (!url.isLocalFile())
        return url.toString();
    QString text = QStringLiteral("file://") + url.toLocalFile();
    if (url.hasQuery())
        text += u'?' + url.query();
    if (url.hasFragment())
        text += u'#' + url.fragment();
    return text;
}
}  // namespace

// Reports each navigation the engine is about to make, and lets all of them proceed.
class TWebBrowser::Page : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, TWebBrowser* owner) : QWebEnginePage(profile, owner), owner_(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override
    {
        owner_->reportFromEngine(url, type == NavigationTypeTyped);
        return true;
    }

private:
    TWebBrowser* owner_;
};

TWebBrowser::TWebBrowser(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TWebBrowser::~TWebBrowser()
{
    // The page must go before its profile.
    delete view_;
    delete page_;
}

void TWebBrowser::ensureView()
{
    if (view_)
        return;
    profile_ = new QWebEngineProfile(this);  // no storage name: off the record
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    page_ = new Page(profile_, this);
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    view_ = new QWebEngineView(this);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    layout()->addWidget(view_);
    connect(view_, &QWebEngineView::loadFinished, this, &TWebBrowser::loadFinished);
}

void TWebBrowser::Navigate(const QString& url)
{
    ensureView();
    emit BeforeNavigate2(url);
    const QUrl target = UrlFromText(url);
    pendingProgramUrl_ = target;
    view_->load(target);
}

void TWebBrowser::reportFromEngine(const QUrl& url, bool programRequested)
{
    // The navigation Navigate asked for was reported already, in the caller's own words.
    if (programRequested && pendingProgramUrl_ && *pendingProgramUrl_ == url) {
        pendingProgramUrl_.reset();
        return;
    }
    emit BeforeNavigate2(AddressText(url));
}

QWebEngineView* TWebBrowser::view() const { return view_; }
