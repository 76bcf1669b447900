#pragma once
// Brings back the last results page of the catalogue search, for as long as the session lasts,
// at the place it was scrolled to when it was left; and, on a change of language while it is
// shown, shows the same query's results in the new language at the same place.
#include <QObject>
#include <QPointF>
#include <QUrl>

#include <optional>

class CatalogueSearch;
struct Session;
class TWebBrowser;

class ResultsReturn : public QObject {
    Q_OBJECT
public:
    ResultsReturn(const Session& session, CatalogueSearch* search, TWebBrowser* browser, QObject* parent = nullptr);

    // A results page has been shown in this session.
    bool Available() const { return available_; }
    bool ResultsShown() const;
    // Shows the last results page again; nothing before the first search.
    void Show();

signals:
    // Available() became true.
    void becameAvailable();

private:
    void watchView();
    void viewAddressChanged(const QUrl& address);
    void leaving();
    void loaded(bool ok);

    const Session& session_;
    CatalogueSearch* search_;
    TWebBrowser* browser_;
    bool available_ = false;
    bool watchingView_ = false;
    QPointF place_;  // where the results page was scrolled to when it was left
    std::optional<QPointF> restoring_;  // the place to scroll to once the page shown again is in
};
