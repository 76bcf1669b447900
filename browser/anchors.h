#pragma once
// Anchored controls: each control keeps its distances to the parent edges its anchors name when
// the parent changes size. With both edges of an axis anchored the control stretches; with one
// it keeps that distance; with neither it keeps its centre at the same relative place.
// A control moved or resized by code takes its new distances from that moment on.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QScreen;
class QWidget;

using AnchorSet = unsigned;
constexpr AnchorSet AnchorLeft = 1u;
constexpr AnchorSet AnchorTop = 2u;
constexpr AnchorSet AnchorRight = 4u;
constexpr AnchorSet AnchorBottom = 8u;
constexpr AnchorSet AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;

// Where a control placed at rect inside a parent of size base goes when the parent becomes size.
QRect AnchoredRect(const QRect& rect, const QSize& base, const QSize& size, AnchorSet anchors);

// Centres a top-level window on the screen's available area (the part no task bar covers): the
// screen given, else the window's own, else the primary one.
void CentreOnScreen(QWidget* window, const QScreen* screen = nullptr);

class Anchors : public QObject {
public:
    explicit Anchors(QObject* parent = nullptr);

    // Records the control's present distances to its parent's edges and keeps them from now on.
    void anchor(QWidget* control, AnchorSet anchors);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        AnchorSet anchors;
        QRect baseRect;  // the control's place when its distances were taken
        QSize baseParent;  // the parent's size at that moment
        QRect lastRect;  // the place last given or seen
        QSize lastParent;  // the parent's size at that moment
    };
    void follow(QWidget* parent);

    std::vector<Entry> entries_;
};
