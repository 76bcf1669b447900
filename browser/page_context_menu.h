#pragma once
// The HTML view's own context menu, in the interface language: copying, finding, zoom, printing
// and saving as PDF, and on a link opening or copying it. Nothing outside the catalogue's model
// (no page source, inspector, reload or history).
#include <QMenu>
#include <QUrl>
#include <cstdint>

enum class PageCommand {
    Copy,
    SelectAll,
    FindInPage,
    SearchCatalogue,
    ZoomIn,
    ZoomOut,
    ActualSize,
    DarkPages,
    Print,
    SaveAsPdf,
    OpenLink,
    CopyLinkAddress,
    OpenInWebBrowser,
};

// Web and mail links may be handed to the desktop's own handler.
bool OpensInWebBrowser(const QUrl& link);

class PageContextMenu : public QMenu {
    Q_OBJECT
public:
    // link: the link under the pointer, empty when there is none; hasSelection enables Copy;
    // darkPages ticks the dark pages entry.
    PageContextMenu(std::uint8_t language, const QUrl& link, bool hasSelection, QWidget* parent = nullptr,
                    bool darkPages = false);

signals:
    void commandChosen(PageCommand command);

private:
    QAction* addCommand(const QString& text, PageCommand command, bool enabled = true);
};
