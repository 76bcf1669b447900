#pragma once
// The page shown, on paper or as a PDF file. The PDF is the only file the program writes, and
// only where the user names it in the save dialog.
#include <QString>
#include <cstdint>
#include <functional>

class QWebEnginePage;
class QWebEngineView;
class QWidget;

// The system print dialog; on OK the page shown goes to the chosen printer.
void PrintPage(QWebEngineView* view, QWidget* dialogParent);

// Asks for a file name in a save dialog, proposing the given name in the user's documents folder,
// then writes the PDF there. The dialog's title and filter and a failure's message are in the
// interface language; saved, when given, runs with the file's path once it is written.
void SavePageAsPdf(QWebEnginePage* page, const QString& proposedName, std::uint8_t language, QWidget* dialogParent,
                   std::function<void(const QString& path)> saved = {});

// The folder the save dialog opens in: the documents folder when it exists, else the home folder
// (never the program's own folder, where an installed program cannot write).
QString PdfSaveFolder(const QString& documents, const QString& home);

// Keeps Qt's own dialogs from writing their history and layout into the user's settings
// (~/.config/QtProject.conf): the program keeps no settings, and the only file it writes is a PDF
// the user names. Their settings are read from and written to nowhere for the rest of the process.
void KeepQtDialogSettingsOffDisk();

// Writes the page as PDF to the path. The file appears whole or not at all, so an earlier file
// of that name survives a failed write; a failure is told in a message box, in Russian or English.
// done, when given, runs afterwards with the outcome.
void WritePageAsPdf(QWebEnginePage* page, const QString& path, bool russian,
                    std::function<void(bool written)> done = {});
