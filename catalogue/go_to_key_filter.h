#pragma once
// The key filter of the go-to box: judges each typed character against the box's whole text
// before it takes effect. Digits and one dot are let through, at most two digits before the dot;
// Backspace ('\b') always passes.
#include <QChar>
#include <QString>

bool GoToKeyAccepted(const QString& text, QChar key);

// Text an input method commits into the box, judged character by character as if each were
// typed in turn: each against the text it would meet, the first replacing the selection
// (selectionStart and selectionLength, 0 long when nothing is selected) at the caret, the next
// ones following it. Returns the characters that pass; Backspace and other control characters
// insert nothing and are dropped.
QString GoToCommitAccepted(const QString& text, int caret, int selectionStart, int selectionLength,
                           const QString& commit);
