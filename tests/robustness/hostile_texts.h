#pragma once
// Texts that break careless code: quoting and pattern characters of SQL and of the Access
// dialect, statements, very long texts, control characters, NUL, right-to-left marks, emoji,
// lone surrogates, invalid and overlong forms, and mixtures of them.
#include <QStringList>

// One hundred texts, each different.
QStringList HostileTexts();
