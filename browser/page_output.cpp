#include "page_output.h"

#include "message_box.h"
#include "page_menu_texts.h"
#include "languages.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineView>

void PrintPage(QWebEngineView* view, QWidget* dialogParent)
{
    // The engine prints asynchronously: the printer lives until it reports the end.
    auto* printer = new QPrinter(QPrinter::HighResolution);
    QPrintDialog dialog(printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted) {
        delete printer;
        return;
    }
    QObject::connect(
        view, &QWebEngineView::printFinished, view, [printer](bool) { delete printer; }, Qt::SingleShotConnection);
    view->print(printer);
}

void SavePageAsPdf(QWebEnginePage* page, const QString& proposedName, std::uint8_t language, QWidget* dialogParent)
{
    const PageMenuTexts& texts = PageMenuTextsFor(language);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(dialogParent, texts.pdfDialogTitle,
                                                      QDir(folder).filePath(proposedName), texts.pdfFilter);
    if (!path.isEmpty())
        WritePageAsPdf(page, path, language == LangRussian);
}

void WritePageAsPdf(QWebEnginePage* page, const QString& path, bool russian, std::function<void(bool written)> done)
{
    QPointer<QWebEnginePage> alive(page);
    page->printToPdf([alive, path, russian, done](const QByteArray& pdf) {
        QSaveFile file(path);
        QString reason;
        if (pdf.isEmpty())
            reason = QStringLiteral("no PDF was produced");
        else if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
            reason = file.errorString();
        if (!reason.isEmpty())
            ShowMessage(PdfNotWrittenMessage(russian, path, reason), MessageIcon::None,
                        alive ? QWebEngineView::forPage(alive) : nullptr);
        if (done)
            done(reason.isEmpty());
    });
}
