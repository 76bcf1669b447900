#include "page_notice.h"

#include <QEvent>
#include <QTimer>

namespace {
constexpr int edge = 12;  // from the view's edges
}

PageNotice::PageNotice(QWidget* view) : QLabel(view->parentWidget()), view_(view), hideTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("pageNotice"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setMargin(6);
    // Light text on a dark ground reads over light and dark pages alike.
    setStyleSheet(QStringLiteral("QLabel { background: rgba(20, 24, 28, 215); color: #ffffff; border-radius: 4px;"
                                 " font-size: 15px; font-weight: bold; }"));
    hide();
    hideTimer_->setSingleShot(true);
    connect(hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    view_->installEventFilter(this);
}

void PageNotice::showNotice(const QString& text, int milliseconds)
{
    text_ = text;
    setAccessibleName(text);
    place();
    show();
    raise();
    hideTimer_->start(milliseconds);
}

void PageNotice::place()
{
    // Inside the view's top right corner; a text wider than the view loses its middle, so the
    // start of a saved file's folder and its name both stay in sight.
    ensurePolished();  // the style sheet's font decides the width
    const QRect area = view_->geometry();
    const int frame = 2 * margin() + 2;
    const int room = qMax(0, area.width() - 2 * edge - frame);
    setText(fontMetrics().elidedText(text_, Qt::ElideMiddle, room));
    adjustSize();
    move(area.right() + 1 - edge - width(), area.top() + edge);
}

bool PageNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move) && isVisible())
        place();
    return QLabel::eventFilter(watched, event);
}
