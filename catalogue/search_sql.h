#pragma once
// The SQL text of a project search: the filled criteria become conditions on the catalogue's
// tables, in the language table named by the language's code, in the chosen order.
#include <QString>

// The content of the search window's criteria. A text counts when it has at least one character
// (blanks included); a list index counts when it is greater than 0.
struct SearchCriteria {
    QString title;
    QString organisation;
    int categoryIndex = 0;
    QString contact;
    QString address;
    int departmentIndex = 0;
    int sortIndex = 0;  // 0 by department, 1 by category, 2 by contact person
};

struct SearchSql {
    QString text;  // the whole statement, ending in ";"
    QString title;  // the title criterion as searched: without apostrophes
    // Counts the rows of `text`: the same tables and conditions without the columns and the
    // order, so the engine neither builds nor sorts a row to count it.
    QString countText;
};

// The title criterion as searched: every apostrophe removed.
QString TitleWithoutApostrophes(const QString& title);

// Builds the search statement for the language whose table and title-column suffix is `code`.
// Apostrophes inside the organisation, contact and address texts are doubled, so they are
// searched for literally and never end the quoted pattern.
SearchSql BuildSearchSql(const SearchCriteria& criteria, const QString& code);
