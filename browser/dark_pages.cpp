#include "dark_pages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPalette>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QtMath>

namespace {
// Colours of the dark pages; the contrasts with the ground (#16191d) are 14:1 for text, 9.7:1
// for links and 8.6:1 for marked words.
const char* const ground = "#16191d";
const char* const text = "#e6e6e6";
const char* const link = "#8ec5ff";
const char* const markGround = "#5c4a00";

double RelativeLuminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : qPow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}
}  // namespace

QString DarkPageStyleSheet()
{
    return QStringLiteral(
               "@media screen {\n"
               "html { background-color: #0f1114 !important; color-scheme: dark !important; }\n"
               "body, body * { background-color: %1 !important; color: %2 !important;"
               " border-color: #4a5560 !important; box-shadow: none !important; text-shadow: none !important; }\n"
               "img, picture, video, canvas, svg { background-color: transparent !important; }\n"
               "a, a * { color: %3 !important; }\n"
               "mark, mark * { background-color: %4 !important; color: #ffffff !important; }\n"
               "::selection { background-color: #355d8a !important; color: #ffffff !important; }\n"
               "}\n")
        .arg(QLatin1String(ground), QLatin1String(text), QLatin1String(link), QLatin1String(markGround));
}

QString DarkPagesScript(bool on)
{
    // A constructed sheet needs no element in the document, so it applies from the document's
    // creation on, before anything is drawn light.
    const QString css =
        QString::fromUtf8(QJsonDocument(QJsonArray{DarkPageStyleSheet()}).toJson(QJsonDocument::Compact));
    return QStringLiteral("(function (on, css) {\n"
                          "  var kept = Array.prototype.filter.call(document.adoptedStyleSheets || [],\n"
                          "      function (sheet) { return !sheet.veloraDarkPages; });\n"
                          "  if (on) {\n"
                          "    var sheet = new CSSStyleSheet();\n"
                          "    sheet.replaceSync(css);\n"
                          "    sheet.veloraDarkPages = true;\n"
                          "    kept.push(sheet);\n"
                          "  }\n"
                          "  document.adoptedStyleSheets = kept;\n"
                          "})(%1, %2[0]);")
        .arg(on ? QStringLiteral("true") : QStringLiteral("false"), css);
}

QColor DarkPageBackground() { return QColor{QString::fromLatin1(ground)}; }

QPalette DarkControlsPalette(const QPalette& light)
{
    QPalette dark(light);
    const QColor window(0x1f, 0x23, 0x28), base = DarkPageBackground(), button(0x2a, 0x2f, 0x35);
    const QColor foreground{QString::fromLatin1(text)}, placeholder(0xa0, 0xa8, 0xb0);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::Window, window);
        dark.setColor(group, QPalette::WindowText, foreground);
        dark.setColor(group, QPalette::Base, base);
        dark.setColor(group, QPalette::AlternateBase, window);
        dark.setColor(group, QPalette::Text, foreground);
        dark.setColor(group, QPalette::Button, button);
        dark.setColor(group, QPalette::ButtonText, foreground);
        dark.setColor(group, QPalette::PlaceholderText, placeholder);
        dark.setColor(group, QPalette::Highlight, QColor(0x35, 0x5d, 0x8a));
        dark.setColor(group, QPalette::HighlightedText, Qt::white);
        dark.setColor(group, QPalette::Light, QColor(0x4a, 0x55, 0x60));
        dark.setColor(group, QPalette::Mid, QColor(0x3a, 0x42, 0x4a));
        dark.setColor(group, QPalette::Dark, QColor(0x0f, 0x11, 0x14));
    }
    dark.setColor(QPalette::Disabled, QPalette::Window, window);
    dark.setColor(QPalette::Disabled, QPalette::Base, base);
    dark.setColor(QPalette::Disabled, QPalette::Button, button);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x88, 0x90));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x88, 0x90));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x88, 0x90));
    return dark;
}

bool PaletteIsDark(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Window).lightnessF() <
        palette.color(QPalette::Active, QPalette::WindowText).lightnessF();
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

void ApplyDarkPages(QWebEnginePage* page, bool on)
{
    static const QString name = QStringLiteral("velora-dark-pages");
    QWebEngineScriptCollection& scripts = page->scripts();
    for (const QWebEngineScript& script : scripts.find(name))
        scripts.remove(script);
    if (on) {
        QWebEngineScript script;
        script.setName(name);
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        script.setRunsOnSubFrames(true);
        script.setSourceCode(DarkPagesScript(true));
        scripts.insert(script);
    }
    // The view's own ground shows before a document is drawn: dark too, so no page flashes light.
    page->setBackgroundColor(on ? DarkPageBackground() : QColor(Qt::white));
    page->runJavaScript(DarkPagesScript(on));
}
