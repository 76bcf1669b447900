// Names for assistive technology: every control whose face is a picture and every box that no
// label names gets a name in the interface language, renewed at each change of language and,
// for the menu toggle, at each switch of the menu panel.
#include "main_window.h"

#include "language_texts.h"
#include "session.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <QWebEngineView>

void TForm1::applyAccessibleNames()
{
    const AccessibleNames& names = AccessibleNamesFor(session_.CurrentLanguage);
    ui->Image2->setAccessibleName(names.emblem);
    ui->title->setAccessibleName(names.title);
    ui->Image1->setAccessibleName(session_.MenuVisible ? names.hideMenu : names.showMenu);
    ui->cmdLangChn->setAccessibleName(names.chineseButton);
    ui->imgGoTo->setAccessibleName(names.goToPicture);
    ui->tGoTo->setAccessibleName(names.goToBox);
    WebBrowser1->setAccessibleName(names.page);
    WebBrowser1->view()->setAccessibleName(names.page);
    ui->cmdPrev->setAccessibleName(names.cmdPrev);
    ui->cmdNext->setAccessibleName(names.cmdNext);
    ui->cmdGoTo->setAccessibleName(names.cmdGoTo);
    ui->cmdExit->setAccessibleName(names.cmdExit);
    const auto pictures = chineseMenuPictures();
    for (int i = 0; i < MenuEntryCount; ++i)
        pictures[i]->setAccessibleName(names.menuPictures[i]);
}
