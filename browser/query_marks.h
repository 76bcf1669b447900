#pragma once
// Marks the words of the catalogue search on a page opened from its results page, the forms the
// page uses included, as find in page marks them; the marks stay until Esc (which closes the find
// bar too, when it is open) or the next page.
#include <QObject>
#include <QString>

#include <optional>

class CatalogueFinder;
class CatalogueSearch;
class FindBar;
class QShortcut;
class TWebBrowser;

class QueryMarks : public QObject {
    Q_OBJECT
public:
    QueryMarks(TWebBrowser* browser, CatalogueSearch* search, CatalogueFinder* finder, FindBar* bar,
               QObject* parent = nullptr);

    // Takes the marks off the page shown.
    void Clear();
    // The words marked on the page shown (empty when none are).
    const QStringList& marked() const { return marked_; }

signals:
    // The marks of a page opened from the results are in place (none when the page holds no word
    // of the query).
    void marksShown(int count);

private:
    struct Opening {
        QString query;
        QString pageFile;
    };
    void navigating(const QString& url);
    void loaded(bool ok);
    void updateEscape();

    TWebBrowser* browser_;
    CatalogueSearch* search_;
    CatalogueFinder* finder_;
    FindBar* bar_;
    QShortcut* escape_;
    bool watchingView_ = false;
    std::optional<Opening> opening_;  // a page being opened from the results page
    QStringList marked_;
};
