#include "splash.h"

#include "jpeg_picture.h"
#include "session.h"
#include "ui_splash.h"

#include <QKeyEvent>
#include <QPushButton>

TfrmSplash::TfrmSplash(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), session_(session), ui(new Ui::frmSplash)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral(" "));  // the window definition cannot hold a lone blank
    setFixedSize(606, 435);
    ui->Image1->setPixmap(LoadPicture(QStringLiteral(":/pictures/splash_title.jpg")));
    ui->cmdChn->setIcon(LoadPicture(QStringLiteral(":/pictures/chinese_word.png")));
    // Names for assistive technology. No language is chosen yet, so the window, its picture, the
    // Chinese button (a picture) and "X" say what they are in all three languages.
    setAccessibleName(QStringLiteral("Каталог VELORA 2014 · Catalogue VELORA 2014 · VELORA 2014 目录"));
    ui->Image1->setAccessibleName(accessibleName());
    ui->cmdChn->setAccessibleName(QStringLiteral("中文 · Chinese · Китайский"));
    ui->btnClose->setAccessibleName(QStringLiteral("Закрыть · Close · 关闭"));
    // Buttons press on Enter as well as Space, like the platform's own dialogs.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);
    // Key preview: every key reaches the window before the focused control.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);

    connect(ui->cmdRus, &QPushButton::clicked, this, &TfrmSplash::cmdRusClick);
    connect(ui->cmdEng, &QPushButton::clicked, this, &TfrmSplash::cmdEngClick);
    connect(ui->cmdChn, &QPushButton::clicked, this, &TfrmSplash::cmdChnClick);
    connect(ui->btnClose, &QPushButton::clicked, this, &TfrmSplash::btnCloseClick);
    connect(ui->Image1, &TClickLabel::clicked, this, &TfrmSplash::Image1Click);
    FormCreate();
}

TfrmSplash::~TfrmSplash() { delete ui; }

void TfrmSplash::FormCreate()
{
    session_.CurrentLanguage = LangRussian;
    session_.SplashCancelled = true;
}

void TfrmSplash::choose(std::uint8_t language)
{
    session_.CurrentLanguage = language;
    session_.SplashCancelled = false;
    hide();
}

void TfrmSplash::cmdRusClick() { choose(LangRussian); }
void TfrmSplash::cmdEngClick() { choose(LangEnglish); }
void TfrmSplash::cmdChnClick() { choose(LangChinese); }

void TfrmSplash::btnCloseClick()
{
    session_.SplashCancelled = true;
    close();
}

void TfrmSplash::FormKeyUp(int key)
{
    if (key != Qt::Key_Escape)
        return;
    close();
    session_.SplashCancelled = true;
}

void TfrmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ui->cmdRus->setFocus(Qt::OtherFocusReason);
}

bool TfrmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && key->key() == Qt::Key_Escape) {
            FormKeyUp(key->key());
            return true;
        }
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        return true;  // Escape acts on release only
    }
    return QWidget::eventFilter(watched, event);
}
