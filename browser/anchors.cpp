#include "anchors.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

struct Span {
    int start;
    int length;
};

// One axis of the anchoring rule.
Span anchoredSpan(Span span, int base, int size, bool nearEdge, bool farEdge)
{
    const int delta = size - base;
    if (nearEdge && farEdge)
        return {span.start, span.length + delta};
    if (farEdge)
        return {span.start + delta, span.length};
    if (nearEdge)
        return span;
    // Neither edge: the centre keeps its relative place.
    if (base <= 0)
        return span;
    const double centre = span.start + span.length / 2.0;
    const double moved = centre * size / base;
    return {static_cast<int>(moved - span.length / 2.0 + 0.5), span.length};
}

}  // namespace

QRect AnchoredRect(const QRect& rect, const QSize& base, const QSize& size, AnchorSet anchors)
{
    const Span x =
        anchoredSpan({rect.x(), rect.width()}, base.width(), size.width(), anchors & AnchorLeft, anchors & AnchorRight);
    const Span y = anchoredSpan({rect.y(), rect.height()}, base.height(), size.height(), anchors & AnchorTop,
                                anchors & AnchorBottom);
    return QRect(x.start, y.start, std::max(0, x.length), std::max(0, y.length));
}

void CentreOnScreen(QWidget* window, const QScreen* screen)
{
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

Anchors::Anchors(QObject* parent) : QObject(parent) {}

void Anchors::anchor(QWidget* control, AnchorSet anchors)
{
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    const QRect rect = control->geometry();
    const QSize parentSize = parent->size();
    entries_.push_back({control, anchors, rect, parentSize, rect, parentSize});
    parent->installEventFilter(this);
}

bool Anchors::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched->isWidgetType())
        follow(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

void Anchors::follow(QWidget* parent)
{
    const QSize size = parent->size();
    for (Entry& entry : entries_) {
        QWidget* control = entry.control;
        if (!control || control->parentWidget() != parent)
            continue;
        if (control->geometry() != entry.lastRect) {
            // Placed by code since the last time: its distances count from there.
            entry.baseRect = control->geometry();
            entry.baseParent = entry.lastParent;
        }
        const QRect rect = AnchoredRect(entry.baseRect, entry.baseParent, size, entry.anchors);
        control->setGeometry(rect);
        entry.lastRect = control->geometry();
        entry.lastParent = size;
    }
}
