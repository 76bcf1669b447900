// Layout of the main window: fonts, pictures, anchors, the menu panel's places and the menu
// toggle.
#include "main_window.h"

#include "anchors.h"
#include "fitted_picture.h"
#include "jpeg_picture.h"
#include "language_texts.h"
#include "menu_layout.h"
#include "session.h"
#include "ui_form1.h"

#include <QEvent>
#include <QIcon>

namespace {

// The smallest outer size of the window, frame included.
const QSize minimumOuterSize(800, 600);

// Keeps the window's minimum size such that the frame is counted in it: the frame's size is
// known only once the window is on screen.
class OuterSizeLimit : public QObject {
public:
    explicit OuterSizeLimit(QWidget* window) : QObject(window), window_(window)
    {
        window->setMinimumSize(minimumOuterSize);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && (event->type() == QEvent::Show || event->type() == QEvent::Move)) {
            const QSize frame = window_->frameGeometry().size() - window_->geometry().size();
            window_->setMinimumSize(minimumOuterSize - frame);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
};

}  // namespace

void TForm1::setUpLayout()
{
    // "MS Sans Serif" 8 point is 11 pixels high. Where the face is missing, the nearest ones of
    // similar width come first, so the menu texts fit their fixed boxes as designed.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                                QStringLiteral("DejaVu Sans Condensed")});
    QFont windowFont = font();
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setWindowIcon(QIcon(LoadPicture(WindowIconPath())));
    new OuterSizeLimit(this);

    anchors_ = new Anchors(this);
    anchors_->anchor(ui->Panel1, AnchorLeft | AnchorTop | AnchorRight);
    anchors_->anchor(ui->Bevel1, AnchorLeft | AnchorRight | AnchorBottom);
    anchors_->anchor(ui->title, AnchorLeft | AnchorTop | AnchorRight);
    anchors_->anchor(ui->pMenu, AnchorLeft | AnchorTop | AnchorBottom);
    anchors_->anchor(ui->pWB, AnchorAll);
    anchors_->anchor(ui->Panel2, AnchorLeft | AnchorTop | AnchorBottom);
    anchors_->anchor(ui->WebBrowser1, AnchorAll);
    anchors_->anchor(ui->pBar, AnchorLeft | AnchorRight | AnchorBottom);

    emblemPicture_ = new FittedPicture(ui->Image2);
    emblemPicture_->setPicture(LoadPicture(EmblemPicturePath()));
    titlePicture_ = new FittedPicture(ui->title);

    // The toggle's design picture is the Russian hide picture.
    ui->Image1->setPixmap(LoadPicture(MenuTogglePicturePath(LangRussian, true)));
    connect(ui->Image1, &TClickLabel::clicked, this, &TForm1::Image1Click);

    const auto pictures = chineseMenuPictures();
    for (int i = 0; i < MenuEntryCount; ++i)
        pictures[i]->setPixmap(LoadPicture(ChineseMenuPicturePath(i)));
    ui->imgGoTo->setPixmap(LoadPicture(ChineseGoToPicturePath()));
}

std::array<QLabel*, 14> TForm1::menuEntries() const
{
    return {ui->menu0, ui->menu02, ui->menu03, ui->menu1, ui->menu2, ui->menu3,  ui->menu4,
            ui->menu5, ui->menu6,  ui->menu7,  ui->menu8, ui->menu9, ui->menu10, ui->menu11};
}

std::array<QFrame*, 13> TForm1::menuSeparators() const
{
    return {ui->Shape1, ui->Shape2, ui->Shape3,  ui->Shape4,  ui->Shape5,  ui->Shape6, ui->Shape7,
            ui->Shape8, ui->Shape9, ui->Shape10, ui->Shape11, ui->Shape12, ui->Shape13};
}

std::array<QLabel*, 14> TForm1::chineseMenuPictures() const
{
    return {ui->imgmch0, ui->imgmch01, ui->imgmch02, ui->imgmch1, ui->imgmch2, ui->imgmch3,  ui->imgmch4,
            ui->imgmch5, ui->imgmch6,  ui->imgmch7,  ui->imgmch8, ui->imgmch9, ui->imgmch10, ui->imgmch11};
}

void TForm1::applyMenuLayout(const MenuLayout& layout)
{
    // Heights first, then tops; left and width stay as designed.
    const auto entries = menuEntries();
    for (int i = 1; i < MenuEntryCount; ++i)
        entries[i]->resize(entries[i]->width(), layout.heights[i]);
    for (int i = 1; i < MenuEntryCount; ++i)
        entries[i]->move(entries[i]->x(), layout.tops[i]);
    const auto separators = menuSeparators();
    for (int i = 0; i < MenuSeparatorCount; ++i) {
        if (layout.separatorTops[i])
            separators[i]->move(separators[i]->x(), *layout.separatorTops[i]);
    }
}

void TForm1::showMenuToggle(bool menuShown)
{
    // Before a language is chosen the toggle keeps its design picture.
    if (session_.CurrentLanguage >= LangRussian && session_.CurrentLanguage <= LangChinese)
        ui->Image1->setPixmap(LoadPicture(MenuTogglePicturePath(session_.CurrentLanguage, menuShown)));
    ui->Image1->setToolTip(MenuToggleHint(session_.Languages[session_.CurrentLanguage], menuShown));
}

void TForm1::Image1Click() { ToggleMenuPanel(); }

void TForm1::ToggleMenuPanel()
{
    session_.MenuVisible = !session_.MenuVisible;
    ui->pMenu->setVisible(session_.MenuVisible);
    QWidget* browserPanel = ui->pWB;
    const PanelSpan span = BrowserPanelSpan(width(), ui->pMenu->width(), session_.MenuVisible);
    browserPanel->setGeometry(span.left, browserPanel->y(), span.width, browserPanel->height());
    showMenuToggle(session_.MenuVisible);
    applyAccessibleNames();
    // The bar keeps its width and moves with the browser panel's left edge.
    ui->pBar->move(browserPanel->x(), ui->pBar->y());
}
