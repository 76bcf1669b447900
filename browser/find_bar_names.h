#pragma once
// Names for assistive technology of the find bar's controls, in each interface language (1 Russian,
// 2 English, 3 Chinese; any other value gives English). The counter's name carries its count, so
// that each change of the count is announced as a change of name.
#include <QString>
#include <cstdint>

struct FindBarNames {
    QString pageBox;  // the text box, finding in the page
    QString catalogueBox;  // the same, searching the whole catalogue
    QString previous;
    QString next;
    QString scope;
    QString close;
    QString clear;  // the text box's own clear button
    QString matches;  // the counter, before its count
};

const FindBarNames& FindBarNamesFor(std::uint8_t language);

// The counter's name: "Matches: 2 of 7", or the bare word while it shows no count.
QString MatchCounterName(std::uint8_t language, const QString& count);
