#pragma once
// The key filter of the go-to box: judges each typed character against the box's whole text
// before it takes effect. Digits and one dot are let through, at most two digits before the dot;
// Backspace ('\b') always passes.
#include <QChar>
#include <QString>

bool GoToKeyAccepted(const QString& text, QChar key);
