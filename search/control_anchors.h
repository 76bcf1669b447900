#pragma once
// Controls anchored to edges of their parent: an anchored edge keeps its distance to the parent's
// same edge when the parent is resized; a control anchored to both opposite edges stretches.
// Controls without an anchor on an axis keep their left or top; a control that does not stretch
// on an axis keeps its current length there (a label may have fitted its text).
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

class ControlAnchors {
public:
    // The same values as the main window's AnchorSet.
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    // Records the control's current geometry against the parent size it was designed for.
    void add(QWidget* control, int edges, const QSize& designParentSize);
    // Places every recorded control for the parent's new size.
    void apply(const QSize& parentSize) const;
    // Where a control designed at `design` in `designParent`, now `current` long, goes in `parent`.
    static QRect place(const QRect& design, const QSize& current, int edges, const QSize& designParent,
                       const QSize& parent);

private:
    struct Entry {
        QPointer<QWidget> control;
        int edges;
        QRect design;
        QSize designParent;
    };
    std::vector<Entry> entries_;
};
