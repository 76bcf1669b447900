#pragma once
// The find bar along the bottom edge of the HTML view, inside the browser panel. In page scope
// it finds text in the page shown: every match highlighted, case ignored, "N of M" counted,
// Enter or F3 for the next match and Shift+Enter or Shift+F3 for the previous one. In catalogue
// scope Enter asks for a search of the whole catalogue, and from the second character typed a
// list of project titles is offered under the box: Up and Down choose one, Enter opens it, Esc
// closes the list. Esc closes the bar and clears the highlights. A button brings back the last
// results page. Hidden the bar takes no room: the view gets back the height the bar took.
#include "title_suggestions.h"

#include <QFrame>

#include <cstdint>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QShortcut;
class QToolButton;
class QWebEngineFindTextResult;
class SuggestionList;
class TWebBrowser;

class FindBar : public QFrame {
    Q_OBJECT
public:
    enum class Scope { Page = 0, Catalogue = 1 };

    // Lies in the view's parent panel, under the view.
    explicit FindBar(TWebBrowser* browser);

    // Shows the bar in the scope with the focus in its text box, the text selected.
    void Open(Scope scope);
    // Hides the bar, clears the highlights and gives the view its height back.
    void Close();
    void FindNext();
    void FindPrevious();
    void ApplyLanguage(std::uint8_t language);

    Scope scope() const;
    QString text() const;

    // Where the titles offered while typing in catalogue scope come from; none without one.
    using SuggestionSource = std::function<std::vector<fulltext::Suggestion>(const QString& text)>;
    void SetSuggestionSource(SuggestionSource source);
    // The list of titles, while it is shown; null otherwise.
    const SuggestionList* suggestionList() const;
    // Enables the button that brings back the last results page.
    void SetResultsAvailable(bool available);

signals:
    // Enter or F3 in catalogue scope with a text that is not blank and no title chosen.
    void catalogueSearchRequested(const QString& query);
    // A title of the list chosen with Enter or a click.
    void suggestionChosen(std::int32_t category, std::int32_t position);
    void backToResultsRequested();
    // The bar was opened, or closed.
    void opened();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findInPage(bool backward);
    void textEdited();
    void scopeChanged();
    void showFindResult(const QWebEngineFindTextResult& result);
    void clearHighlights();
    void place();
    void watchPage();
    void showPlaceholder();
    void showCount(const QString& count);
    void offerSuggestions();
    void hideSuggestions();
    void chooseSuggestion(const fulltext::Suggestion& suggestion);

    TWebBrowser* browser_;
    QLineEdit* text_;
    QLabel* count_;
    QToolButton* previous_;
    QToolButton* next_;
    QComboBox* scope_;
    QToolButton* results_;
    QToolButton* close_;
    SuggestionList* suggestions_;
    SuggestionSource suggest_;
    QShortcut* escape_;
    std::uint8_t language_ = 0;
    bool watchingPage_ = false;
};
