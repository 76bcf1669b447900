#include "search_window.h"

#include "ado_query.h"
#include "anchors.h"
#include "data_source.h"
#include "main_window_port.h"
#include "session.h"
#include "search_texts.h"
#include "ui_frmsearch.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <stdexcept>

namespace {

const int DesignCountLeft = 116;

// A label's text as an integer, or an error naming the text.
int IntegerText(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw std::invalid_argument(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    return value;
}

}  // namespace

TfrmSearch::TfrmSearch(Session& session, MainWindowPort* owner)
    : QDialog(owner ? owner->ownerWindow() : nullptr), session_(session), owner_(owner), ui(new Ui::frmSearch)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setUpControls();
    fitLabels();
    FormCreate();
}

TfrmSearch::~TfrmSearch() { delete ui; }

std::uint8_t TfrmSearch::language() const { return session_.CurrentLanguage; }

void TfrmSearch::setUpControls()
{
    // Taken at the designed client size, which setupUi gave the window.
    anchors_ = new Anchors(this);
    anchors_->anchor(ui->DBCtrlGrid1, AnchorLeft | AnchorTop | AnchorBottom);
    anchors_->anchor(ui->lblFounded, AnchorLeft | AnchorBottom);
    anchors_->anchor(ui->lblRecCount, AnchorLeft | AnchorBottom);

    TDBCtrlGrid* grid = ui->DBCtrlGrid1;
    grid->setPanel(ui->pnlRecord);
    for (QWidget* stretching : {static_cast<QWidget*>(ui->lblDBTitle), static_cast<QWidget*>(ui->DBMemo2)})
        grid->setPanelAnchors(stretching, AnchorLeft | AnchorTop | AnchorBottom);
    for (QWidget* lower : std::initializer_list<QWidget*>{ui->lblDBOrg, ui->DBMemo1, ui->lblDBFIO, ui->DBMemo3,
                                                          ui->lblDBCat, ui->DBText2, ui->lblOpenProj})
        grid->setPanelAnchors(lower, AnchorLeft | AnchorBottom);

    // Memos: borderless, on the window colour; none takes typing.
    for (QPlainTextEdit* memo : {ui->DBMemo1, ui->DBMemo2, ui->DBMemo3}) {
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        memo->setPalette(palette);
    }
    ui->DBMemo1->viewport()->setCursor(Qt::ArrowCursor);
    ui->DBMemo2->viewport()->setCursor(Qt::ArrowCursor);
    ui->lblOpenProj->setForegroundRole(QPalette::Highlight);

    // Edit1: a line in the window's own colours, 8 pixels high.
    QFont small = ui->Edit1->font();
    small.setPixelSize(8);
    ui->Edit1->setFont(small);
    QPalette quiet = ui->Edit1->palette();
    quiet.setColor(QPalette::Base, quiet.color(QPalette::Window));
    quiet.setColor(QPalette::Text, quiet.color(QPalette::Window));
    ui->Edit1->setPalette(quiet);
    ui->Edit1->setText(QString::fromLatin1(VersionText));
    ui->Edit1->setAccessibleName(SearchWindowTextsFor(LangRussian)->versionName);  // the design language

    // Each criterion box, the results grid and each field of the result panel is named by the
    // label beside it (a screen reader reads the label with the box). The link that opens a
    // project is pressed by assistive technology, and by Enter on the results grid.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {ui->lblTitle, ui->tTitle},        {ui->lblOrg, ui->tOrgName},        {ui->lblCat, ui->tCat},
        {ui->lblFIO, ui->tResp},           {ui->lblAdr, ui->tAddress},        {ui->lblDep, ui->tDepNum},
        {ui->lblSort, ui->lstSort},        {ui->lblResults, ui->DBCtrlGrid1}, {ui->lblDBTitle, ui->DBMemo2},
        {ui->lblDBOrg, ui->DBMemo1},       {ui->lblDBFIO, ui->DBMemo3},       {ui->lblDBCat, ui->DBText2},
        {ui->lblFounded, ui->lblRecCount},
    };
    for (const auto& [label, control] : labelled)
        label->setBuddy(control);
    ui->lblOpenProj->setOperable(QAccessible::Link);
    connect(ui->DBCtrlGrid1, &TDBCtrlGrid::activated, this, &TfrmSearch::lblOpenProjClick);
    nameScrollBars();

    connect(ui->cmdFind, &QPushButton::clicked, this, &TfrmSearch::cmdFindClick);
    connect(ui->cmdClose, &QPushButton::clicked, this, &TfrmSearch::cmdCloseClick);
    connect(ui->lblOpenProj, &TClickLabel::clicked, this, &TfrmSearch::lblOpenProjClick);
    connect(ui->Label9, &TClickLabel::doubleClicked, this, &TfrmSearch::Label9DblClick);
    connect(ui->DBCtrlGrid1, &TDBCtrlGrid::clicked, this, &TfrmSearch::DBCtrlGrid1Click);
}

// Labels without a fixed size take the width of their text, so no face of the platform cuts them.
void TfrmSearch::fitLabels()
{
    for (QLabel* label : {ui->lblTitle, ui->lblFIO, ui->lblAdr, ui->lblSort, ui->lblResults, ui->lblFounded,
                          ui->lblRecCount, static_cast<QLabel*>(ui->lblOpenProj)})
        label->resize(label->sizeHint().width(), label->height());
    // The count stays clear of its caption.
    const int countLeft = qMax(DesignCountLeft, ui->lblFounded->geometry().right() + 8);
    ui->lblRecCount->move(countLeft, ui->lblRecCount->y());
}

// A scroll bar is named by the label of what it scrolls, as its box is.
void TfrmSearch::nameScrollBars()
{
    const std::pair<QLabel*, QAbstractScrollArea*> scrolled[] = {
        {ui->lblResults, ui->DBCtrlGrid1},
        {ui->lblDBTitle, ui->DBMemo2},
        {ui->lblDBOrg, ui->DBMemo1},
        {ui->lblDBFIO, ui->DBMemo3},
    };
    for (const auto& [label, area] : scrolled)
        area->verticalScrollBar()->setAccessibleName(label->text().simplified());
}

void TfrmSearch::FormCreate()
{
    if (owner_)
        ui->DBCtrlGrid1->setDataSource(owner_->dataSource());
}

void TfrmSearch::FormShow()
{
    ui->DBText2->setProperty(TDBCtrlGrid::DataFieldProperty,
                             QStringLiteral("ct") + session_.Languages[language()].Code);
    ui->DBCtrlGrid1->refresh();
}

void TfrmSearch::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfrmSearch::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);  // the anchored controls have followed the new size
    fitLabels();
    FormResize();
}

void TfrmSearch::keyPressEvent(QKeyEvent* event)
{
    // Esc presses the Close button; Enter presses nothing (there is no default button).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui->cmdClose->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmSearch::ShowModal()
{
    CentreOnScreen(this, parentWidget() ? parentWidget()->screen() : nullptr);
    exec();
}

void TfrmSearch::setRecordCountText(const QString& text)
{
    ui->lblRecCount->setText(text);
    fitLabels();
}

SearchCriteria TfrmSearch::criteria() const
{
    SearchCriteria c;
    c.title = ui->tTitle->text();
    c.organisation = ui->tOrgName->text();
    c.categoryIndex = ui->tCat->currentIndex();
    c.contact = ui->tResp->text();
    c.address = ui->tAddress->text();
    c.departmentIndex = ui->tDepNum->currentIndex();
    c.sortIndex = ui->lstSort->currentIndex();
    return c;
}

void TfrmSearch::cmdFindClick()
{
    ui->Edit1->hide();
    const SearchSql sql = BuildSearchSql(criteria(), session_.Languages[language()].Code);
    ui->tTitle->setText(sql.title);

    TADOQuery* query = owner_->dataset();
    if (query->Active())
        query->Close();
    query->clearSql();
    ui->Label8->setText(sql.text);
    query->setSql(sql.text);
    query->setCountSql(sql.countText);
    // An engine error ends the search here: the count and the grid keep their state, the
    // dataset stays closed.
    query->Open();

    const int found = query->RecordCount();
    setRecordCountText(QString::number(found));
    ui->DBCtrlGrid1->setVisible(found > 0);
}

void TfrmSearch::lblOpenProjClick()
{
    const int category = IntegerText(ui->lblCatNo->text());
    const int position = IntegerText(ui->lblNoInCat->text());
    TADOQuery* query = owner_->dataset();
    if (query->Active())
        query->Close();
    close();
    owner_->OpenPageAt(category, position);
}

void TfrmSearch::cmdCloseClick()
{
    ui->Edit1->hide();
    close();
}

void TfrmSearch::Label9DblClick() { ui->Edit1->show(); }

void TfrmSearch::ApplyLanguage()
{
    if (const SearchWindowTexts* t = SearchWindowTextsFor(language())) {
        setWindowTitle(t->caption);
        ui->lblTitle->setText(t->lblTitle);
        ui->lblOrg->setText(t->lblOrg);
        ui->lblCat->setText(t->lblCat);
        ui->lblFIO->setText(t->lblFIO);
        ui->lblAdr->setText(t->lblAdr);
        ui->lblDep->setText(t->lblDep);
        ui->lblSort->setText(t->lblSort);
        ui->cmdFind->setText(t->cmdFind);
        ui->cmdClose->setText(t->cmdClose);
        ui->lblResults->setText(t->lblResults);
        ui->lblFounded->setText(t->lblFounded);
        ui->lblDBTitle->setText(t->lblDBTitle);
        ui->lblDBOrg->setText(t->lblDBOrg);
        ui->lblDBFIO->setText(t->lblDBFIO);
        ui->lblDBCat->setText(t->lblDBCat);
        ui->lblOpenProj->setText(t->lblOpenProj);
        ui->Edit1->setAccessibleName(t->versionName);
        nameScrollBars();
        ui->lstSort->clear();
        ui->lstSort->addItems(t->sortItems);
        ui->tDepNum->clear();
        ui->tDepNum->addItems(t->departmentItems);
        ui->tCat->clear();
        ui->tCat->addItems(t->categoryItems);
        ui->tTitle->clear();
        fitLabels();
    }
    ui->tCat->setCurrentIndex(0);
    ui->tDepNum->setCurrentIndex(0);
    ui->lstSort->setCurrentIndex(0);
    ui->DBCtrlGrid1->viewport()->update();
}
