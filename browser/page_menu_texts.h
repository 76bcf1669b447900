#pragma once
// Texts of the HTML view's own context menu and of saving a page as PDF, per interface language
// (1 Russian, 2 English, 3 Chinese; any other value gives English).
#include <QString>
#include <cstdint>

struct PageMenuTexts {
    QString copy;
    QString selectAll;
    QString findInPage;
    QString searchCatalogue;
    QString zoomIn;
    QString zoomOut;
    QString actualSize;
    QString darkPages;
    QString print;
    QString saveAsPdf;
    QString openLink;
    QString copyLinkAddress;
    QString openInWebBrowser;
    QString pdfDialogTitle;
    QString pdfFilter;
    QString pdfSaved;  // "%1": the file the page was saved to
};

const PageMenuTexts& PageMenuTextsFor(std::uint8_t language);

// The message shown when the PDF cannot be written where the user chose; like every message of
// the program, Russian in Russian mode and English otherwise. The page stays as it was shown.
QString PdfNotWrittenMessage(bool russian, const QString& path, const QString& reason);
