#pragma once
// The list of project titles offered under a text box while a search is typed: one row per
// project, its title and its position ("5.12"). It floats over the window without taking the
// focus, so typing (input methods included) goes on in the box; the box's owner passes it the
// keys that move in it. Placed under the box when the screen has room there, else above it.
#include "title_suggestions.h"

#include <QTreeWidget>

#include <vector>

class QLineEdit;

class SuggestionList : public QTreeWidget {
    Q_OBJECT
public:
    explicit SuggestionList(QLineEdit* box);

    // Shows the suggestions under the box, none chosen; hides the list when there are none.
    void Show(const std::vector<fulltext::Suggestion>& suggestions);
    // Moves the choice by rows (negative up); from no choice, down takes the first, up the last.
    void Move(int rows);
    // The chosen suggestion, if any.
    const fulltext::Suggestion* Chosen() const;

signals:
    // A row was clicked.
    void clicked(const fulltext::Suggestion& suggestion);

private:
    void place();

    QLineEdit* box_;
    std::vector<fulltext::Suggestion> suggestions_;
};
