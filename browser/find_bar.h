#pragma once
// The find bar along the bottom edge of the HTML view, inside the browser panel. In page scope
// it finds text in the page shown: every match highlighted, case ignored, "N of M" counted,
// Enter or F3 for the next match and Shift+Enter or Shift+F3 for the previous one. In catalogue
// scope Enter asks for a search of the whole catalogue. Esc closes it and clears the highlights.
// Hidden it takes no room: the view gets back the height the bar took.
#include <QFrame>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QShortcut;
class QToolButton;
class QWebEngineFindTextResult;
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

signals:
    // Enter or F3 in catalogue scope with a text that is not blank.
    void catalogueSearchRequested(const QString& query);

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

    TWebBrowser* browser_;
    QLineEdit* text_;
    QLabel* count_;
    QToolButton* previous_;
    QToolButton* next_;
    QComboBox* scope_;
    QToolButton* close_;
    QShortcut* escape_;
    std::uint8_t language_ = 0;
    bool watchingPage_ = false;
};
