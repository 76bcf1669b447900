// Keyboard access by region: F6 and Shift+F6 move the focus between the page, the menu panel,
// the bottom bar and the find bar (while it is open); on the menu panel the arrows, Home and End
// move between the entries that show and Enter or Space opens one; F9 hides and shows the menu
// panel. Tab keeps the window's own order: the menu entries take the focus only from these keys.
#include "main_window.h"

#include "find_bar.h"
#include "keyboard_regions.h"
#include "session.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

#include <algorithm>
#include <functional>

namespace {
// Hands the key presses of the watched menu entries to the window.
class MenuEntryKeys : public QObject {
public:
    MenuEntryKeys(QObject* parent, std::function<bool(QWidget*, int)> onKey) : QObject(parent), onKey_(onKey) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier && onKey_(static_cast<QWidget*>(watched), key->key()))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QWidget*, int)> onKey_;
};
}  // namespace

void TForm1::setUpKeyboardRegions()
{
    auto* keys = new MenuEntryKeys(this, [this](QWidget* entry, int key) { return menuEntryKey(entry, key); });
    for (QLabel* label : menuEntries())
        static_cast<TClickLabel*>(label)->setOperable(QAccessible::Link);
    for (QLabel* picture : chineseMenuPictures())
        static_cast<TClickLabel*>(picture)->setOperable(QAccessible::Link);
    for (TClickLabel* entry : allMenuEntries())
        entry->installEventFilter(keys);
    ui->Image1->setOperable(QAccessible::Button);

    const auto key = [this](const QKeySequence& sequence, auto command) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, command);
    };
    key(QKeySequence(Qt::Key_F6), [this] { moveFocusToRegion(false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F6), [this] { moveFocusToRegion(true); });
    key(QKeySequence(Qt::Key_F9), [this] {
        const bool menuHadFocus = regionOfFocus() == WindowRegion::Menu;
        ToggleMenuPanel();
        if (menuHadFocus && !session_.MenuVisible)
            WebBrowser1->setFocus(Qt::ShortcutFocusReason);
    });
}

std::vector<TClickLabel*> TForm1::allMenuEntries() const
{
    std::vector<TClickLabel*> entries;
    for (QLabel* label : menuEntries())
        entries.push_back(static_cast<TClickLabel*>(label));
    for (QLabel* picture : chineseMenuPictures())
        entries.push_back(static_cast<TClickLabel*>(picture));
    return entries;
}

std::vector<TClickLabel*> TForm1::shownMenuEntries() const
{
    std::vector<TClickLabel*> shown;
    for (TClickLabel* entry : allMenuEntries())
        if (entry->isVisibleTo(ui->pMenu))
            shown.push_back(entry);
    std::stable_sort(shown.begin(), shown.end(), [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    return shown;
}

WindowRegion TForm1::regionOfFocus() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus && ui->pMenu->isAncestorOf(focus))
        return WindowRegion::Menu;
    if (focus && ui->pBar->isAncestorOf(focus))
        return WindowRegion::BottomBar;
    if (focus && findBar_->isAncestorOf(focus))
        return WindowRegion::FindBar;
    return WindowRegion::Page;
}

void TForm1::moveFocusToRegion(bool backward)
{
    std::vector<WindowRegion> available{WindowRegion::Page};
    if (ui->pMenu->isVisible() && !shownMenuEntries().empty())
        available.push_back(WindowRegion::Menu);
    available.push_back(WindowRegion::BottomBar);
    if (!findBar_->isHidden())
        available.push_back(WindowRegion::FindBar);
    const auto target = NextRegion(regionOfFocus(), available, backward);
    if (!target)
        return;
    switch (*target) {
    case WindowRegion::Page: WebBrowser1->setFocus(Qt::ShortcutFocusReason); break;
    case WindowRegion::Menu: focusMenuEntryOfPosition(); break;
    case WindowRegion::BottomBar:
        ui->tGoTo->setFocus(Qt::ShortcutFocusReason);
        ui->tGoTo->selectAll();
        break;
    case WindowRegion::FindBar:
        if (auto* box = findBar_->findChild<QLineEdit*>(QStringLiteral("findText")))
            box->setFocus(Qt::ShortcutFocusReason);
        break;
    }
}

void TForm1::focusMenuEntryOfPosition()
{
    const std::vector<TClickLabel*> shown = shownMenuEntries();
    if (shown.empty())
        return;
    // The entry of the page shown, in whichever layer shows: its label, or its picture in Chinese
    // mode (the pictures of the introductory pages 2 and 3 are imgmch02 and imgmch01).
    TClickLabel* target = shown.front();
    if (const auto chain = MenuEntryOfPosition(session_.Position())) {
        const auto pictures = chineseMenuPictures();
        QLabel* picture = pictures[*chain];
        if (*chain == 1 || *chain == 2)
            picture = pictures[3 - *chain];
        for (QLabel* candidate : {menuEntries()[*chain], picture})
            if (std::find(shown.begin(), shown.end(), candidate) != shown.end())
                target = static_cast<TClickLabel*>(candidate);
    }
    target->setFocus(Qt::ShortcutFocusReason);
}

bool TForm1::menuEntryKey(QWidget* entry, int key)
{
    if (key == Qt::Key_Escape) {
        WebBrowser1->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    const std::vector<TClickLabel*> shown = shownMenuEntries();
    const auto at = std::find(shown.begin(), shown.end(), entry);
    const int current = at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
    const auto next = MenuEntryAfterKey(current, static_cast<int>(shown.size()), key);
    if (!next)
        return false;
    shown[*next]->setFocus(Qt::ShortcutFocusReason);
    return true;
}
