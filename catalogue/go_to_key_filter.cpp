#include "go_to_key_filter.h"

bool GoToKeyAccepted(const QString& text, QChar key)
{
    if (key == u'\b')
        return true;
    const bool digit = key >= u'0' && key <= u'9';
    if (!digit && key != u'.')
        return false;
    const qsizetype dot = text.indexOf(u'.');
    if (key == u'.')
        return dot < 0;
    // After two digits only the dot may follow; with more than two before the dot nothing may.
    if (dot < 0)
        return text.size() != 2;
    return dot <= 2;
}

QString GoToCommitAccepted(const QString& text, int caret, int selectionStart, int selectionLength,
                           const QString& commit)
{
    QString working = text;
    int at = selectionLength > 0 ? selectionStart : caret;
    bool selectionPending = selectionLength > 0;
    QString accepted;
    for (const QChar key : commit) {
        if (key.category() == QChar::Other_Control || !GoToKeyAccepted(working, key))
            continue;
        if (selectionPending) {
            working.remove(selectionStart, selectionLength);
            selectionPending = false;
        }
        working.insert(at, key);
        ++at;
        accepted += key;
    }
    return accepted;
}
