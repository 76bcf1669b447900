#include "page_menu_texts.h"

#include "languages.h"

#include <QDir>

namespace {
PageMenuTexts russianTexts()
{
    PageMenuTexts t;
    t.copy = QStringLiteral("Копировать");
    t.selectAll = QStringLiteral("Выделить всё");
    t.findInPage = QStringLiteral("Найти на странице…");
    t.searchCatalogue = QStringLiteral("Искать в каталоге…");
    t.zoomIn = QStringLiteral("Увеличить");
    t.zoomOut = QStringLiteral("Уменьшить");
    t.actualSize = QStringLiteral("Обычный размер");
    t.darkPages = QStringLiteral("Тёмные страницы");
    t.print = QStringLiteral("Печать…");
    t.saveAsPdf = QStringLiteral("Сохранить как PDF…");
    t.openLink = QStringLiteral("Открыть ссылку");
    t.copyLinkAddress = QStringLiteral("Копировать адрес ссылки");
    t.openInWebBrowser = QStringLiteral("Открыть в веб-браузере");
    t.pdfDialogTitle = QStringLiteral("Сохранить страницу как PDF");
    t.pdfFilter = QStringLiteral("Документы PDF (*.pdf)");
    t.pdfSaved = QStringLiteral("Страница сохранена: %1");
    return t;
}

PageMenuTexts englishTexts()
{
    PageMenuTexts t;
    t.copy = QStringLiteral("Copy");
    t.selectAll = QStringLiteral("Select all");
    t.findInPage = QStringLiteral("Find in page…");
    t.searchCatalogue = QStringLiteral("Search the catalogue…");
    t.zoomIn = QStringLiteral("Zoom in");
    t.zoomOut = QStringLiteral("Zoom out");
    t.actualSize = QStringLiteral("Actual size");
    t.darkPages = QStringLiteral("Dark pages");
    t.print = QStringLiteral("Print…");
    t.saveAsPdf = QStringLiteral("Save as PDF…");
    t.openLink = QStringLiteral("Open link");
    t.copyLinkAddress = QStringLiteral("Copy link address");
    t.openInWebBrowser = QStringLiteral("Open in the web browser");
    t.pdfDialogTitle = QStringLiteral("Save the page as PDF");
    t.pdfFilter = QStringLiteral("PDF documents (*.pdf)");
    t.pdfSaved = QStringLiteral("Page saved as %1");
    return t;
}

PageMenuTexts chineseTexts()
{
    PageMenuTexts t;
    t.copy = QStringLiteral("复制");
    t.selectAll = QStringLiteral("全选");
    t.findInPage = QStringLiteral("在页面中查找…");
    t.searchCatalogue = QStringLiteral("搜索目录…");
    t.zoomIn = QStringLiteral("放大");
    t.zoomOut = QStringLiteral("缩小");
    t.actualSize = QStringLiteral("实际大小");
    t.darkPages = QStringLiteral("深色页面");
    t.print = QStringLiteral("打印…");
    t.saveAsPdf = QStringLiteral("另存为 PDF…");
    t.openLink = QStringLiteral("打开链接");
    t.copyLinkAddress = QStringLiteral("复制链接地址");
    t.openInWebBrowser = QStringLiteral("在网页浏览器中打开");
    t.pdfDialogTitle = QStringLiteral("将页面另存为 PDF");
    t.pdfFilter = QStringLiteral("PDF 文档 (*.pdf)");
    t.pdfSaved = QStringLiteral("页面已保存：%1");
    return t;
}
}  // namespace

const PageMenuTexts& PageMenuTextsFor(std::uint8_t language)
{
    static const PageMenuTexts russian = russianTexts();
    static const PageMenuTexts english = englishTexts();
    static const PageMenuTexts chinese = chineseTexts();
    switch (language) {
    case LangRussian: return russian;
    case LangChinese: return chinese;
    default: return english;
    }
}

QString PdfNotWrittenMessage(bool russian, const QString& path, const QString& reason)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (russian)
        return QStringLiteral("Не удалось сохранить страницу в файл «%1»: %2\nВыберите другую папку; "
                              "страница и прежние файлы остались без изменений.")
            .arg(shown, reason);
    return QStringLiteral("The page could not be saved as \"%1\": %2\nPlease choose another folder; the page "
                          "and any earlier file are unchanged.")
        .arg(shown, reason);
}
