#include "page_output.h"

#include "message_box.h"
#include "page_menu_texts.h"
#include "languages.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineView>

void KeepQtDialogSettingsOffDisk()
{
    // Qt's file dialog saves its state as it closes, whatever the program asks. Settings of the
    // user scope go under a path that names a device, where no folder or file can be made; the
    // system scope stays, for reading only. (On Windows the dialogs are the system's own.)
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

QString PdfSaveFolder(const QString& documents, const QString& home)
{
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return home;
}

void PrintPage(QWebEngineView* view, QWidget* dialogParent)
{
    KeepQtDialogSettingsOffDisk();  // the dialog may open a file dialog (printing to a file)
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

void SavePageAsPdf(QWebEnginePage* page, const QString& proposedName, std::uint8_t language, QWidget* dialogParent,
                   std::function<void(const QString& path)> saved)
{
    KeepQtDialogSettingsOffDisk();
    const PageMenuTexts& texts = PageMenuTextsFor(language);
    const QString folder =
        PdfSaveFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
    const QString path = QFileDialog::getSaveFileName(dialogParent, texts.pdfDialogTitle,
                                                      QDir(folder).filePath(proposedName), texts.pdfFilter);
    if (path.isEmpty())
        return;
    WritePageAsPdf(page, path, language == LangRussian, [path, saved](bool written) {
        if (written && saved)
            saved(path);
    });
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
