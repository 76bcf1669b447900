#include "catalogue_content.h"

QString languageCode(int language)
{
    static const char* const codes[] = {"rus", "eng", "chn"};
    return QString::fromLatin1(codes[language]);
}

QString languageLetter(int language)
{
    static const char* const letters[] = {"r", "e", "c"};
    return QString::fromLatin1(letters[language]);
}

QString htmlLanguage(int language)
{
    static const char* const tags[] = {"ru", "en", "zh"};
    return QString::fromLatin1(tags[language]);
}

QString CatalogueContent::label(const QString& key, int language) const
{
    const auto it = labels.constFind(key);
    return it == labels.constEnd() ? key : (*it)[language];
}
