#include "page_context_menu.h"

#include "page_menu_texts.h"

bool OpensInWebBrowser(const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto");
}

PageContextMenu::PageContextMenu(std::uint8_t language, const QUrl& link, bool hasSelection, QWidget* parent,
                                 bool darkPages)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("pageContextMenu"));
    const PageMenuTexts& t = PageMenuTextsFor(language);
    if (!link.isEmpty()) {
        addCommand(t.openLink, PageCommand::OpenLink);
        if (OpensInWebBrowser(link))
            addCommand(t.openInWebBrowser, PageCommand::OpenInWebBrowser);
        addCommand(t.copyLinkAddress, PageCommand::CopyLinkAddress);
        addSeparator();
    }
    addCommand(t.copy, PageCommand::Copy, hasSelection);
    addCommand(t.selectAll, PageCommand::SelectAll);
    addSeparator();
    addCommand(t.findInPage, PageCommand::FindInPage);
    addCommand(t.searchCatalogue, PageCommand::SearchCatalogue);
    addSeparator();
    addCommand(t.zoomIn, PageCommand::ZoomIn);
    addCommand(t.zoomOut, PageCommand::ZoomOut);
    addCommand(t.actualSize, PageCommand::ActualSize);
    QAction* dark = addCommand(t.darkPages, PageCommand::DarkPages);
    dark->setCheckable(true);
    dark->setChecked(darkPages);
    addSeparator();
    addCommand(t.print, PageCommand::Print);
    addCommand(t.saveAsPdf, PageCommand::SaveAsPdf);
}

QAction* PageContextMenu::addCommand(const QString& text, PageCommand command, bool enabled)
{
    QAction* action = addAction(text);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, command] { emit commandChosen(command); });
    return action;
}
