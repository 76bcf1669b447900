#include "main_window.h"

#include "ado_query.h"
#include "data_source.h"
#include "menu_layout.h"
#include "message_box.h"
#include "page_names.h"
#include "session.h"
#include "project_counts.h"
#include "search_window_port.h"
#include "ui_form1.h"
#include "web_browser.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

TForm1::TForm1(Session& session, QWidget* parent) : QWidget(parent), session_(session), ui(new Ui::Form1)
{
    ui->setupUi(this);
    WebBrowser1 = ui->WebBrowser1;
    WebBrowser1->setSession(&session_);
    ADOQuery1 = new TADOQuery(this);
    DataSource1 = new TDataSource(ADOQuery1, this);
    connect(DataSource1, &TDataSource::DataChange, this, &TForm1::DataSource1DataChange);
    connect(WebBrowser1, &TWebBrowser::BeforeNavigate2, this, &TForm1::WebBrowser1BeforeNavigate2);
    connect(ui->cmdExit, &QPushButton::clicked, this, &TForm1::cmdExitClick);
    connect(ui->cmdSearchDB, &QPushButton::clicked, this, &TForm1::cmdSearchDBClick);
    wireNavigation();
    setUpLayout();
    setUpLanguages();
    setUpFinding();
    setUpKeys();
    applyAccessibleNames();
}

TForm1::~TForm1()
{
    // Children that report to this window go while it is still whole: their signals must not
    // reach a half-destroyed TForm1 while QWidget deletes them.
    WebBrowser1->disconnect(this);
    delete DataSource1;
    delete ADOQuery1;
    delete ui;
}

void TForm1::FormCreate(const QString& exePath)
{
    session_.FillLanguages();
    session_.ExeDir = ExeDirFromProgramPath(exePath, QDir::separator());
    session_.MenuVisible = true;
    ui->pWB->resize(BrowserPanelSpan(width(), ui->pMenu->width(), true).width, ui->pWB->height());
    session_.CurrentCategory = 0;
    // Database steps: counts per category; a count query without eleven rows ends the program.
    if (!LoadProjectCounts(*ADOQuery1, session_.ExeDir, session_.ProjectCounts)) {
        ShowMessage(session_.MessagesInRussian() ? QStringLiteral("Ошибка чтения базы данных")
                                                 : QStringLiteral("Database reading error"));
        countCheckFailed_ = true;
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    FormShow();
}

void TForm1::FormShow()
{
    ApplyLanguage();
    session_.CurrentPosition = 1;
    OpenPage();
}

void TForm1::PreloadFirstPage() { WebBrowser1->Preload(pageUrlAt(1)); }

void TForm1::PrepareFirstShowing()
{
    winId();
    ensurePolished();
    QPixmap drawn(size());
    render(&drawn);
}

void TForm1::OpenPage()
{
    session_.PageNumberText = PositionText(session_.CurrentPosition);
    WebBrowser1->Navigate(pageUrlAt(session_.CurrentPosition));
}

QString TForm1::pageUrlAt(std::int32_t position) const
{
    return PageUrl(session_.ExeDir, session_.CurrentCategory, position,
                   session_.Languages[session_.CurrentLanguage].Letter);
}

void TForm1::ShowPositionLabel()
{
    ui->Label25->setText(PositionLabelText(session_.CurrentCategory, session_.CurrentPosition));
}

void TForm1::cmdExitClick() { QCoreApplication::quit(); }

void TForm1::closeEvent(QCloseEvent* event)
{
    // The main window: closing it ends the message loop, like Exit.
    event->accept();
    QCoreApplication::quit();
}

void TForm1::OpenPageAt(std::int32_t category, std::int32_t position)
{
    session_.SetPosition({category, position});
    OpenPage();
}

void TForm1::cmdSearchDBClick()
{
    if (ADOQuery1->Active())
        ADOQuery1->Close();
    if (!frmSearch)
        return;
    frmSearch->setRecordCountText(QStringLiteral("0"));
    frmSearch->ShowModal();
}
