#include "qt_translations.h"

#include "languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <map>
#include <memory>

QString QtTranslationName(std::uint8_t language)
{
    switch (language) {
    case LangRussian: return QStringLiteral("qtbase_ru");
    case LangChinese: return QStringLiteral("qtbase_zh_CN");
    default: return QString();
    }
}

bool UseQtTranslations(std::uint8_t language)
{
    // One translator per language for the life of the process; only the current one is installed.
    static std::map<QString, std::unique_ptr<QTranslator>> loaded;
    static QTranslator* installed = nullptr;
    const QString name = QtTranslationName(language);
    QTranslator* wanted = nullptr;
    bool found = true;
    if (!name.isEmpty()) {
        std::unique_ptr<QTranslator>& slot = loaded[name];
        if (!slot) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                slot = std::move(translator);
        }
        wanted = slot.get();
        found = wanted != nullptr;
    }
    if (wanted == installed)
        return found;
    if (installed)
        QCoreApplication::removeTranslator(installed);
    if (wanted)
        QCoreApplication::installTranslator(wanted);
    installed = wanted;
    return found;
}
