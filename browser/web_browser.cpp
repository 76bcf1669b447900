#include "web_browser.h"

#include "dark_pages.h"
#include "page_context_menu.h"
#include "session.h"
#include "zoom_steps.h"

#include <QApplication>
#include <QChildEvent>
#include <QClipboard>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWheelEvent>

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
// Text as a JavaScript expression: a JSON array holding it, then its first element.
QString JavaScriptString(const QString& text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)) + QStringLiteral("[0]");
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
    view_ = new QWebEngineView(this);
    // The program's own menu replaces the engine's (page source, inspector, history).
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, &TWebBrowser::showContextMenu);
    layout->addWidget(view_);
    // The container and the view take part in the tab order (the main window places them) and
    // hand the focus on to the page.
    setFocusPolicy(Qt::StrongFocus);
    view_->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(view_);
    // Ctrl with the wheel zooms; the wheel reaches the engine's inner widget, made later.
    view_->installEventFilter(this);
}

TWebBrowser::~TWebBrowser()
{
    // The page must go before its profile.
    delete view_;
    delete page_;
}

void TWebBrowser::Warm()
{
    if (page_)
        return;
    profile_ = new QWebEngineProfile(this);  // no storage name: off the record
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    page_ = new Page(profile_, this);
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    connect(page_, &QWebEnginePage::loadFinished, this, &TWebBrowser::pageLoadFinished);
    view_->setPage(page_);
    if (darkPages_)
        ApplyDarkPages(page_, true);
}

void TWebBrowser::Preload(const QString& url)
{
    Warm();
    if (preload_ || navigations_ > 0)
        return;
    preload_ = Preloaded{UrlFromText(url)};
    view_->load(preload_->url);
    // Drawn while hidden, so that the view has the page's picture the moment it shows (the engine
    // draws nothing for a page it believes unseen).
    page_->setVisible(true);
}

void TWebBrowser::Navigate(const QString& url)
{
    Warm();
    ++navigations_;
    silentUntilAsked_ = false;
    reportingProgramNavigation_ = true;
    emit BeforeNavigate2(url);
    reportingProgramNavigation_ = false;
    const QUrl target = UrlFromText(url);
    if (adoptPreload(target))
        return;
    pendingProgramUrl_ = target;
    view_->load(target);
}

bool TWebBrowser::adoptPreload(const QUrl& target)
{
    if (!preload_)
        return false;
    Preloaded preload = std::move(*preload_);
    preload_.reset();
    if (preload.url != target) {
        // What the given-up page still does (its frames loading, say) goes unreported until the
        // engine takes up the page asked for. It is blanked, so that the window, which may show
        // before the page asked for arrives, never shows a page nobody asked for; the check of
        // the address keeps the blank off the page that replaces it.
        silentUntilAsked_ = true;
        page_->runJavaScript(
            QStringLiteral("if (location.href === %1) document.documentElement.style.visibility = 'hidden';")
                .arg(JavaScriptString(preload.url.toString(QUrl::FullyEncoded))));
        return false;
    }
    if (!preload.asked)
        pendingProgramUrl_ = target;
    for (const QString& report : preload.reports)
        emit BeforeNavigate2(report);
    if (preload.finished) {
        // Reported from the event loop, as a load's end always is, unless another page has been
        // asked for by then.
        QMetaObject::invokeMethod(
            this,
            [this, ok = *preload.finished, navigation = navigations_] {
                if (navigation == navigations_)
                    emit loadFinished(ok);
            },
            Qt::QueuedConnection);
    }
    return true;
}

void TWebBrowser::pageLoadFinished(bool ok)
{
    // Only the preload's own loads end while it waits (a page that forwards itself ends twice).
    // A load given up for another ends with that other one, in a single report.
    if (preload_) {
        preload_->finished = ok;
        return;
    }
    emit loadFinished(ok);
}

void TWebBrowser::reportFromEngine(const QUrl& url, bool programRequested)
{
    if (preload_) {
        if (programRequested && !preload_->asked && url == preload_->url)
            preload_->asked = true;
        else
            preload_->reports.append(AddressText(url));
        return;
    }
    // The navigation Navigate asked for was reported already, in the caller's own words.
    if (programRequested && pendingProgramUrl_ && *pendingProgramUrl_ == url) {
        pendingProgramUrl_.reset();
        silentUntilAsked_ = false;
        return;
    }
    if (silentUntilAsked_)
        return;
    emit BeforeNavigate2(AddressText(url));
}

QWebEngineView* TWebBrowser::view() const { return view_; }

void TWebBrowser::setZoom(double factor)
{
    zoom_ = factor;
    view_->setZoomFactor(factor);
    emit zoomChanged(factor);
}

void TWebBrowser::setDarkPages(bool on)
{
    if (on == darkPages_)
        return;
    darkPages_ = on;
    if (page_)
        ApplyDarkPages(page_, on);
    emit darkPagesChanged(on);
}

void TWebBrowser::zoomIn() { setZoom(ZoomInStep(zoom_)); }
void TWebBrowser::zoomOut() { setZoom(ZoomOutStep(zoom_)); }
void TWebBrowser::resetZoom() { setZoom(ActualSizeZoom); }

bool TWebBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
    } else if (watched == view_ && (event->type() == QEvent::ChildPolished || event->type() == QEvent::Show)) {
        keepTabOrder();
    } else if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta > 0)
                zoomIn();
            else if (delta < 0)
                zoomOut();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TWebBrowser::setNextInTabOrder(QWidget* next)
{
    nextInTabOrder_ = next;
    keepTabOrder();
}

void TWebBrowser::keepTabOrder()
{
    // The engine moves its view to the window's end when shown, and makes an inner widget per
    // renderer; both are put back between this container and the control that follows it. The
    // hand-over of the focus (which setTabOrder would follow) pauses meanwhile.
    if (!nextInTabOrder_)
        return;
    QWidget* inner = view_->focusProxy();
    setFocusProxy(nullptr);
    view_->setFocusProxy(nullptr);
    QWidget::setTabOrder(this, view_);
    QWidget* last = view_;
    if (inner) {
        QWidget::setTabOrder(view_, inner);
        last = inner;
    }
    QWidget::setTabOrder(last, nextInTabOrder_);
    view_->setFocusProxy(inner);
    setFocusProxy(view_);
}

void TWebBrowser::showContextMenu(const QPoint& at)
{
    const QWebEngineContextMenuRequest* request = view_->lastContextMenuRequest();
    menuLink_ = request ? request->linkUrl() : QUrl();
    const bool hasSelection = request ? !request->selectedText().isEmpty() : page_->hasSelection();
    auto* menu =
        new PageContextMenu(session_ ? session_->CurrentLanguage : LangNone, menuLink_, hasSelection, this, darkPages_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &PageContextMenu::commandChosen, this, &TWebBrowser::runCommand);
    menu->popup(view_->mapToGlobal(at));
}

void TWebBrowser::runCommand(PageCommand command)
{
    Warm();
    switch (command) {
    case PageCommand::Copy: page_->triggerAction(QWebEnginePage::Copy); break;
    case PageCommand::SelectAll: page_->triggerAction(QWebEnginePage::SelectAll); break;
    case PageCommand::FindInPage: emit findInPageRequested(); break;
    case PageCommand::SearchCatalogue: emit searchCatalogueRequested(); break;
    case PageCommand::ZoomIn: zoomIn(); break;
    case PageCommand::ZoomOut: zoomOut(); break;
    case PageCommand::ActualSize: resetZoom(); break;
    case PageCommand::DarkPages: setDarkPages(!darkPages_); break;
    case PageCommand::Print: emit printRequested(); break;
    case PageCommand::SaveAsPdf: emit saveAsPdfRequested(); break;
    // A link opened from the menu goes through the navigation hook like a clicked one.
    case PageCommand::OpenLink: page_->triggerAction(QWebEnginePage::OpenLinkInThisWindow); break;
    case PageCommand::CopyLinkAddress: QApplication::clipboard()->setText(menuLink_.toString()); break;
    case PageCommand::OpenInWebBrowser:
        if (OpensInWebBrowser(menuLink_))
            QDesktopServices::openUrl(menuLink_);
        break;
    }
}
