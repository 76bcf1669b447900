#include "page_templates.h"

#include <QFile>
#include <stdexcept>

namespace {

QString readTemplate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    return QString::fromUtf8(file.readAll());
}

const char* const kSimplePage =
    "<!DOCTYPE html>\n<html lang=\"{{lang}}\"><head><meta charset=\"utf-8\">"
    "<title>{{page_title}}</title><link rel=\"stylesheet\" href=\"style.css\"></head>\n"
    "<body><nav class=\"pager\">{{nav}}</nav><h1>{{heading}}</h1>\n{{body}}\n</body></html>\n";

}  // namespace

PageTemplates PageTemplates::load(const QString& sourceFolder)
{
    const QString folder = sourceFolder + QStringLiteral("/templates/");
    return {readTemplate(folder + QStringLiteral("intro.html")), readTemplate(folder + QStringLiteral("category.html")),
            readTemplate(folder + QStringLiteral("project.html"))};
}

PageTemplates PageTemplates::simple()
{
    const QString page = QString::fromLatin1(kSimplePage);
    return {page, page, page};
}

QString PageTemplates::fill(const QString& text, const QHash<QString, QString>& values)
{
    QString result;
    result.reserve(text.size() * 2);
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(QLatin1String("{{"), from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1String("}}"), open + 2);
        if (close < 0) {
            result += QStringView(text).mid(from);
            return result;
        }
        result += QStringView(text).mid(from, open - from);
        result += values.value(text.mid(open + 2, close - open - 2).trimmed());
        from = close + 2;
    }
}
