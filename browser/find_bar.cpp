#include "find_bar.h"

#include "find_bar_names.h"
#include "find_texts.h"
#include "suggestion_list.h"
#include "web_browser.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
constexpr int barHeight = 30;
// Titles are offered from this many characters typed, and this many at most.
constexpr int suggestFrom = 2;
constexpr int mostSuggestions = 10;
}  // namespace

FindBar::FindBar(TWebBrowser* browser)
    : QFrame(browser->parentWidget()), browser_(browser), text_(new QLineEdit(this)), count_(new QLabel(this)),
      previous_(new QToolButton(this)), next_(new QToolButton(this)), scope_(new QComboBox(this)),
      results_(new QToolButton(this)), close_(new QToolButton(this)), suggestions_(new SuggestionList(text_)),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), browser->window()))
{
    setObjectName(QStringLiteral("findBar"));
    text_->setObjectName(QStringLiteral("findText"));
    count_->setObjectName(QStringLiteral("findCount"));
    scope_->setObjectName(QStringLiteral("findScope"));
    previous_->setObjectName(QStringLiteral("findPrevious"));
    next_->setObjectName(QStringLiteral("findNext"));
    close_->setObjectName(QStringLiteral("findClose"));
    results_->setObjectName(QStringLiteral("findBackToResults"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    hide();

    text_->setClearButtonEnabled(true);
    text_->setMinimumWidth(220);
    text_->installEventFilter(this);
    count_->setMinimumWidth(110);
    previous_->setArrowType(Qt::UpArrow);
    next_->setArrowType(Qt::DownArrow);
    close_->setText(QStringLiteral("✕"));
    close_->setAutoRaise(true);
    scope_->addItems({QString(), QString()});
    // Wide enough for the longest item of the language shown.
    scope_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(text_);
    layout->addWidget(previous_);
    layout->addWidget(next_);
    layout->addWidget(count_);
    layout->addWidget(scope_);
    layout->addWidget(results_);
    layout->addStretch(1);
    layout->addWidget(close_);

    connect(text_, &QLineEdit::textEdited, this, &FindBar::textEdited);
    connect(previous_, &QToolButton::clicked, this, &FindBar::FindPrevious);
    connect(next_, &QToolButton::clicked, this, &FindBar::FindNext);
    connect(close_, &QToolButton::clicked, this, &FindBar::Close);
    results_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    results_->setEnabled(false);
    connect(results_, &QToolButton::clicked, this, &FindBar::backToResultsRequested);
    connect(suggestions_, &SuggestionList::clicked, this, &FindBar::chooseSuggestion);
    // Esc closes the bar wherever the keys are in the window, the page included, while it is open.
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &FindBar::Close);
    connect(scope_, &QComboBox::currentIndexChanged, this, &FindBar::scopeChanged);
    // The panel's size changes move the bar with the view's bottom edge.
    parentWidget()->installEventFilter(this);
    // The list of titles floats over the window: it goes when the window moves or is left.
    window()->installEventFilter(this);
    ApplyLanguage(0);
}

FindBar::Scope FindBar::scope() const { return static_cast<Scope>(scope_->currentIndex()); }
QString FindBar::text() const { return text_->text(); }

void FindBar::Open(Scope scope)
{
    if (isHidden()) {
        // The view gives up the bar's height at its bottom.
        browser_->resize(browser_->width(), browser_->height() - barHeight);
        show();
        place();
        escape_->setEnabled(true);
        emit opened();
    }
    scope_->setCurrentIndex(static_cast<int>(scope));
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

void FindBar::Close()
{
    if (isHidden())
        return;
    clearHighlights();
    hideSuggestions();
    hide();
    escape_->setEnabled(false);
    browser_->resize(browser_->width(), browser_->height() + barHeight);
    // The keys go back to the page.
    if (QWebEngineView* view = browser_->view())
        view->setFocus(Qt::OtherFocusReason);
    emit closed();
}

void FindBar::place()
{
    // Under the view, as wide as it: the view stands beside the menu toggle's strip and reaches
    // the panel's right and bottom edges.
    const QWidget* panel = parentWidget();
    setGeometry(browser_->x(), panel->height() - barHeight, panel->width() - browser_->x(), barHeight);
    raise();
}

void FindBar::FindNext()
{
    if (scope() == Scope::Catalogue) {
        if (const fulltext::Suggestion* chosen = suggestions_->Chosen()) {
            chooseSuggestion(*chosen);
            return;
        }
        hideSuggestions();
        if (!text_->text().trimmed().isEmpty())
            emit catalogueSearchRequested(text_->text());
        return;
    }
    findInPage(false);
}

void FindBar::FindPrevious()
{
    if (scope() == Scope::Page)
        findInPage(true);
}

void FindBar::textEdited()
{
    // Typing finds as it goes in the page; a catalogue search waits for Enter, offering titles.
    if (scope() == Scope::Page)
        findInPage(false);
    else
        offerSuggestions();
}

void FindBar::SetSuggestionSource(SuggestionSource source) { suggest_ = std::move(source); }

const SuggestionList* FindBar::suggestionList() const { return suggestions_->isVisible() ? suggestions_ : nullptr; }

void FindBar::SetResultsAvailable(bool available) { results_->setEnabled(available); }

void FindBar::offerSuggestions()
{
    const QString typed = text_->text().trimmed();
    if (!suggest_ || typed.size() < suggestFrom || isHidden()) {
        hideSuggestions();
        return;
    }
    std::vector<fulltext::Suggestion> found = suggest_(typed);
    if (found.size() > std::size_t(mostSuggestions))
        found.resize(std::size_t(mostSuggestions));
    suggestions_->Show(found);
}

void FindBar::hideSuggestions() { suggestions_->hide(); }

void FindBar::chooseSuggestion(const fulltext::Suggestion& suggestion)
{
    const fulltext::Suggestion chosen = suggestion;  // the list's own copy goes with it
    hideSuggestions();
    emit suggestionChosen(chosen.category, chosen.position);
}

void FindBar::scopeChanged()
{
    hideSuggestions();
    clearHighlights();
    showPlaceholder();
    if (scope() == Scope::Page && !text_->text().isEmpty())
        findInPage(false);
}

void FindBar::watchPage()
{
    QWebEngineView* view = browser_->view();
    if (watchingPage_ || !view)
        return;
    connect(view->page(), &QWebEnginePage::findTextFinished, this, &FindBar::showFindResult);
    watchingPage_ = true;
}

void FindBar::findInPage(bool backward)
{
    QWebEngineView* view = browser_->view();
    if (!view)
        return;
    watchPage();
    if (text_->text().isEmpty()) {
        clearHighlights();
        return;
    }
    // Matching ignores case unless asked otherwise; the engine highlights every match.
    view->page()->findText(text_->text(), backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void FindBar::showFindResult(const QWebEngineFindTextResult& result)
{
    if (scope() != Scope::Page || text_->text().isEmpty()) {
        showCount(QString());
        return;
    }
    const FindTexts& texts = FindTextsFor(language_);
    showCount(result.numberOfMatches() > 0 ? texts.matchOf.arg(result.activeMatch()).arg(result.numberOfMatches())
                                           : texts.noMatches);
}

void FindBar::showCount(const QString& count)
{
    count_->setText(count);
    // A new name is announced to assistive technology; the box describes itself by the count too,
    // so a screen reader in the box hears where it is.
    count_->setAccessibleName(MatchCounterName(language_, count));
    text_->setAccessibleDescription(count);
}

void FindBar::clearHighlights()
{
    if (QWebEngineView* view = browser_->view())
        view->page()->findText(QString());
    showCount(QString());
}

void FindBar::ApplyLanguage(std::uint8_t language)
{
    language_ = language;
    const FindTexts& texts = FindTextsFor(language);
    scope_->setItemText(static_cast<int>(Scope::Page), texts.thisPage);
    scope_->setItemText(static_cast<int>(Scope::Catalogue), texts.wholeCatalogue);
    previous_->setToolTip(texts.previousHint);
    next_->setToolTip(texts.nextHint);
    close_->setToolTip(texts.closeHint);
    const FindBarNames& names = FindBarNamesFor(language);
    previous_->setAccessibleName(names.previous);
    next_->setAccessibleName(names.next);
    // On Linux a combo box is named by its item; the description says what it chooses.
    scope_->setAccessibleName(names.scope);
    scope_->setAccessibleDescription(names.scope);
    close_->setAccessibleName(names.close);
    for (QToolButton* button : text_->findChildren<QToolButton*>())
        button->setAccessibleName(names.clear);
    results_->setText(texts.backToResults);
    results_->setToolTip(texts.backToResultsHint);
    suggestions_->setAccessibleName(texts.suggestionsName);
    hideSuggestions();
    showPlaceholder();
    showCount(QString());
}

void FindBar::showPlaceholder()
{
    const FindTexts& texts = FindTextsFor(language_);
    text_->setPlaceholderText(scope() == Scope::Page ? texts.pagePlaceholder : texts.cataloguePlaceholder);
    const FindBarNames& names = FindBarNamesFor(language_);
    text_->setAccessibleName(scope() == Scope::Page ? names.pageBox : names.catalogueBox);
    // In catalogue scope the next button runs the search, as Enter does.
    previous_->setEnabled(scope() == Scope::Page);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && !isHidden())
        place();
    if (watched == window() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Hide || event->type() == QEvent::WindowDeactivate))
        hideSuggestions();
    if (watched == text_ && event->type() == QEvent::FocusOut && !suggestions_->underMouse())
        hideSuggestions();
    // While the list of titles is shown, Esc closes the list alone: the box takes the key before
    // the bar's shortcut sees it.
    if (watched == text_ && event->type() == QEvent::ShortcutOverride && suggestions_->isVisible() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        if (suggestions_->isVisible()) {
            switch (key->key()) {
            case Qt::Key_Down: suggestions_->Move(1); return true;
            case Qt::Key_Up: suggestions_->Move(-1); return true;
            case Qt::Key_PageDown: suggestions_->Move(mostSuggestions); return true;
            case Qt::Key_PageUp: suggestions_->Move(-mostSuggestions); return true;
            case Qt::Key_Escape: hideSuggestions(); return true;
            default: break;
            }
        }
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F3: shift ? FindPrevious() : FindNext(); return true;
        case Qt::Key_Escape: Close(); return true;
        default: break;
        }
    }
    return QFrame::eventFilter(watched, event);
}
