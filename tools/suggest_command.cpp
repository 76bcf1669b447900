#include "suggest_command.h"

#include "languages.h"
#include "sql_command.h"
#include "title_suggestions.h"
#include "tool_help.h"

#include <QDir>
#include <QTextStream>

int SuggestCommand::run(const QStringList& arguments)
{
    QTextStream err(stderr);
    QString letter = LanguageByNumber(LangRussian)->letter;
    QStringList positional;
    for (int at = 0; at < arguments.size(); ++at) {
        if (arguments[at] != QLatin1String("--lang")) {
            positional << arguments[at];
            continue;
        }
        const LanguageRow* language = at + 1 < arguments.size() ? LanguageByTag(arguments[++at]) : nullptr;
        if (!language) {
            err << "suggest: --lang takes ru, en or zh\n";
            return kWrongArgumentsExitCode;
        }
        letter = language->letter;
    }
    if (positional.size() != 2) {
        err << "usage: velora-catalogue-tool suggest DIR 'TEXT' [--lang ru|en|zh]\n";
        return kWrongArgumentsExitCode;
    }
    const std::unique_ptr<fulltext::TitleSuggestions> titles = fulltext::TitleSuggestions::Open(positional[0]);
    if (!titles) {
        err << "suggest: " << QDir(positional[0]).filePath(QStringLiteral("data")) << ": cannot read the page files\n";
        return 2;
    }
    QTextStream out(stdout);
    out << "title\tposition\tpage\n";
    for (const fulltext::Suggestion& suggestion : titles->Suggest(positional[1], letter))
        out << SqlCommand::escaped(suggestion.title) << '\t' << suggestion.category << '.' << suggestion.position
            << '\t' << suggestion.pageFile << '\n';
    return 0;
}
