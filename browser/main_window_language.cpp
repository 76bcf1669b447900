// Interface languages of the main window: texts, pictures and menu layout per language, the
// language buttons and the font installer command.
#include "main_window.h"

#include "find_bar.h"
#include "fitted_picture.h"
#include "font_installer.h"
#include "jpeg_picture.h"
#include "language_texts.h"
#include "menu_layout.h"
#include "message_box.h"
#include "qt_translations.h"
#include "session.h"
#include "search_window_port.h"
#include "ui_form1.h"

#include <QIcon>
#include <QMenu>

namespace {
const QSize chineseWordSize(42, 19);
const QSize buttonPictureSize(70, 20);
}  // namespace

void TForm1::setUpLanguages()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setFont(font());
    pmlangfonts_ = PopupMenu1->addAction(QStringLiteral("Установить китайский шрифт"));
    pmlangfonts_->setObjectName(QStringLiteral("pmlangfonts"));
    connect(pmlangfonts_, &QAction::triggered, this, &TForm1::pmlangfontsClick);

    ui->cmdLangChn->setIcon(QIcon(LoadPicture(ChineseWordPicturePath())));
    ui->cmdLangChn->setIconSize(chineseWordSize);
    connect(ui->cmdLangChn, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (fontMenuAttached_)
            PopupMenu1->popup(ui->cmdLangChn->mapToGlobal(at));
    });
    attachFontMenu(true);

    connect(ui->cmdLangRus, &QPushButton::clicked, this, &TForm1::cmdLangRusClick);
    connect(ui->cmdLang, &QPushButton::clicked, this, &TForm1::cmdLangClick);
    connect(ui->cmdLangChn, &QPushButton::clicked, this, &TForm1::cmdLangChnClick);
}

void TForm1::attachFontMenu(bool attached)
{
    fontMenuAttached_ = attached;
    ui->cmdLangChn->setContextMenuPolicy(attached ? Qt::CustomContextMenu : Qt::PreventContextMenu);
}

void TForm1::applyTexts(const MainWindowTexts& texts)
{
    setWindowTitle(texts.caption);
    ui->cmdPrev->setText(texts.cmdPrev);
    ui->cmdNext->setText(texts.cmdNext);
    ui->cmdSearchDB->setText(texts.cmdSearchDB);
    ui->lblOpenProj->setText(texts.lblOpenProj);
    ui->cmdGoTo->setText(texts.cmdGoTo);
    ui->cmdExit->setText(texts.cmdExit);
    const auto entries = menuEntries();
    for (int i = 0; i < MenuEntryCount; ++i)
        entries[i]->setText(texts.menu[i]);
    ui->cmdLangChn->setToolTip(texts.cmdLangChnHint);
    pmlangfonts_->setText(texts.pmlangfonts);
}

void TForm1::setLanguageButtonPictures(bool chinese)
{
    struct ButtonPicture {
        QPushButton* button;
        int slot;
    };
    // The Exit button shows the word for exit.
    const ButtonPicture buttons[] = {
        {ui->cmdPrev, SlotPrevious}, {ui->cmdNext, SlotNext}, {ui->cmdExit, SlotExit}, {ui->cmdGoTo, SlotInsert}};
    for (const ButtonPicture& b : buttons) {
        b.button->setIcon(chinese ? QIcon(LoadPicture(ChineseButtonPicturePath(b.slot))) : QIcon());
        b.button->setIconSize(buttonPictureSize);
    }
    if (!chinese)
        ui->cmdSearchDB->setIcon(QIcon());
}

void TForm1::ApplyLanguage()
{
    const std::uint8_t language = session_.CurrentLanguage;
    const bool chinese = language == LangChinese;

    showMenuToggle(!ui->pMenu->isHidden());

    if (language == LangRussian || language == LangEnglish) {
        applyTexts(MainWindowTextsFor(language));
        titlePicture_->setPicture(LoadPicture(TitlePicturePath(language)));
        // Both text layouts put menu0 above the empty picture over its upper band, so the
        // whole entry answers clicks.
        ui->menu0->raise();
        const MenuLayout layout = language == LangRussian ? RussianMenuLayout(ui->menu0->y(), ui->menu0->height())
                                                          : EnglishMenuLayout(ui->menu0->y(), ui->menu0->height());
        applyMenuLayout(layout);
    } else if (chinese) {
        setWindowTitle(MainWindowTextsFor(LangEnglish).caption);
        ui->cmdSearchDB->hide();
        titlePicture_->setPicture(LoadPicture(TitlePicturePath(LangChinese)));
        setLanguageButtonPictures(true);
        ui->cmdLangChn->setToolTip(QString());
        attachFontMenu(false);
        ui->cmdPrev->setText(QString());
        ui->cmdNext->setText(QString());
        ui->cmdGoTo->setText(QString());
        ui->cmdExit->setText(QString());
    }

    for (QLabel* picture : chineseMenuPictures())
        picture->setVisible(chinese);
    ui->imgGoTo->setVisible(chinese);
    ui->lblOpenProj->setVisible(!chinese);
    if (language == LangRussian || language == LangEnglish)
        attachFontMenu(true);
    for (QLabel* entry : menuEntries())
        entry->setVisible(!chinese);
    for (QFrame* separator : menuSeparators())
        separator->setVisible(!chinese);

    // The search window's texts and lists follow the same language.
    if (frmSearch)
        frmSearch->ApplyLanguage();
    findBar_->ApplyLanguage(language);
    applyAccessibleNames();
    // Qt's own dialogs (saving, printing) speak the interface language too.
    UseQtTranslations(language);
}

void TForm1::switchToTextLanguage(std::uint8_t language)
{
    if (session_.CurrentLanguage == language)
        return;
    setLanguageButtonPictures(false);
    ui->cmdSearchDB->show();
    session_.CurrentLanguage = language;
    ApplyLanguage();
    reopenAfterLanguageChange();
}

void TForm1::cmdLangRusClick() { switchToTextLanguage(LangRussian); }

void TForm1::cmdLangClick() { switchToTextLanguage(LangEnglish); }

void TForm1::cmdLangChnClick()
{
    if (session_.CurrentLanguage == LangChinese)
        return;
    session_.CurrentLanguage = LangChinese;
    ApplyLanguage();
    reopenAfterLanguageChange();
}

void TForm1::pmlangfontsClick()
{
    // A missing or failing installer is not reported: the notice and the font reload follow.
    StartFontInstaller(session_.ExeDir);
    const QString notice = FontRestartMessage(session_.CurrentLanguage);
    if (!notice.isEmpty())
        ShowMessage(notice, MessageIcon::None, this);
    ReloadFontConfiguration();
}
