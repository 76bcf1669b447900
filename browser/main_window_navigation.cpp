// Navigation commands of the main window: menu entries, Previous and Next, the go-to box and the
// navigation hook. The rules live in plain functions; this file only wires the controls to them.
#include "main_window.h"

#include "catalogue_order.h"
#include "go_to_check.h"
#include "go_to_key_filter.h"
#include "message_box.h"
#include "page_address.h"
#include "session.h"
#include "ui_form1.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

void TForm1::wireNavigation()
{
    // Each menu entry exists as a label and as a picture; both run the label's handler. The
    // pictures of the two introductory pages open the page their picture names: imgmch01 shows
    // "structure" (page 3), imgmch02 the chairman's address (page 2).
    const std::pair<TClickLabel*, void (TForm1::*)()> entries[] = {
        {ui->menu0, &TForm1::menu0Click},   {ui->imgmch0, &TForm1::menu0Click},
        {ui->menu02, &TForm1::menu02Click}, {ui->imgmch02, &TForm1::menu02Click},
        {ui->menu03, &TForm1::menu03Click}, {ui->imgmch01, &TForm1::menu03Click},
        {ui->menu1, &TForm1::menu1Click},   {ui->imgmch1, &TForm1::menu1Click},
        {ui->menu2, &TForm1::menu2Click},   {ui->imgmch2, &TForm1::menu2Click},
        {ui->menu3, &TForm1::menu3Click},   {ui->imgmch3, &TForm1::menu3Click},
        {ui->menu4, &TForm1::menu4Click},   {ui->imgmch4, &TForm1::menu4Click},
        {ui->menu5, &TForm1::menu5Click},   {ui->imgmch5, &TForm1::menu5Click},
        {ui->menu6, &TForm1::menu6Click},   {ui->imgmch6, &TForm1::menu6Click},
        {ui->menu7, &TForm1::menu7Click},   {ui->imgmch7, &TForm1::menu7Click},
        {ui->menu8, &TForm1::menu8Click},   {ui->imgmch8, &TForm1::menu8Click},
        {ui->menu9, &TForm1::menu9Click},   {ui->imgmch9, &TForm1::menu9Click},
        {ui->menu10, &TForm1::menu10Click}, {ui->imgmch10, &TForm1::menu10Click},
        {ui->menu11, &TForm1::menu11Click}, {ui->imgmch11, &TForm1::menu11Click},
    };
    for (const auto& [label, handler] : entries)
        connect(label, &TClickLabel::clicked, this, handler);

    connect(ui->cmdNext, &QPushButton::clicked, this, &TForm1::cmdNextClick);
    connect(ui->cmdPrev, &QPushButton::clicked, this, &TForm1::cmdPrevClick);
    connect(ui->cmdGoTo, &QPushButton::clicked, this, &TForm1::cmdGoToClick);
    ui->tGoTo->installEventFilter(this);
}

void TForm1::cmdNextClick() { StepForward(); }
void TForm1::cmdPrevClick() { StepBack(); }

void TForm1::StepForward()
{
    if (const auto page = StepForwardFrom(session_.Position(), session_.ProjectCounts)) {
        session_.SetPosition(*page);
        OpenPage();
    }
    ShowPositionLabel();
}

void TForm1::StepBack()
{
    if (const auto page = StepBackFrom(session_.Position(), session_.ProjectCounts)) {
        session_.SetPosition(*page);
        OpenPage();
    }
    ShowPositionLabel();
}

void TForm1::cmdGoToClick()
{
    const GoToCheck check = CheckGoToText(ui->tGoTo->text(), session_.ProjectCounts);
    if (check.verdict != GoToVerdict::Open) {
        ShowMessage(GoToMessageText(check, session_.MessagesInRussian()), MessageIcon::None, this);
        return;
    }
    if (check.target == session_.Position())
        return;
    session_.SetPosition(check.target);
    OpenPage();
}

bool TForm1::tGoToKeyPress(QChar key) { return GoToKeyAccepted(ui->tGoTo->text(), key); }

void TForm1::WebBrowser1BeforeNavigate2(const QString& url)
{
    if (const auto linked = PositionFromUrl(url))
        session_.SetPosition(*linked);
    const StepButtonStates states = StepButtonsAt(session_.Position(), session_.ProjectCounts);
    ui->cmdPrev->setEnabled(states.previousEnabled);
    ui->cmdNext->setEnabled(states.nextEnabled);
}

void TForm1::menu0Click() { openMenuPosition(0, 1); }
void TForm1::menu02Click() { openMenuPosition(0, 2); }
void TForm1::menu03Click() { openMenuPosition(0, 3); }
void TForm1::menuCategoryClick(int category) { openMenuPosition(category, 0); }

void TForm1::openMenuPosition(int category, int position)
{
    const CataloguePosition target{category, position};
    if (target == session_.Position())
        return;
    session_.SetPosition(target);
    OpenPage();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // The go-to box's key filter judges typed characters only. Keys without a character (arrows,
    // Delete) and control characters other than Backspace (Tab, Enter, editing shortcuts such as
    // Ctrl+V, whose pasted text the go-to command checks anyway) pass untouched.
    if (watched == ui->tGoTo && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        for (const QChar key : typed) {
            if (key != u'\b' && key.category() == QChar::Other_Control)
                continue;
            if (!tGoToKeyPress(key))
                return true;
        }
    }
    // Text an input method commits goes through the same judgement; what fails it is dropped.
    if (watched == ui->tGoTo && event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString commit = input->commitString();
        if (!commit.isEmpty()) {
            QLineEdit* box = ui->tGoTo;
            const QString passed = GoToCommitAccepted(box->text(), box->cursorPosition(), box->selectionStart(),
                                                      box->selectedText().size(), commit);
            if (passed != commit) {
                QInputMethodEvent judged(input->preeditString(), input->attributes());
                judged.setCommitString(passed, input->replacementStart(), input->replacementLength());
                QCoreApplication::sendEvent(box, &judged);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
