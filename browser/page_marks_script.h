#pragma once
// Scripts that mark words on the page shown, as find in page highlights them, and take the marks
// away again. Words are matched whatever their case; a word in letters only where it stands whole
// (not "pump" inside "pumping"), a run of Chinese characters wherever it stands.
#include <QString>
#include <QStringList>

// The script marks every occurrence of the words in the page's text (not in scripts or styles)
// and evaluates to the number of marks made.
QString MarkWordsScript(const QStringList& words);
QString ClearMarksScript();
