#include "control_anchors.h"

#include "anchors.h"

void ControlAnchors::add(QWidget* control, int edges, const QSize& designParentSize)
{
    entries_.push_back({control, edges, control->geometry(), designParentSize});
}

void ControlAnchors::apply(const QSize& parentSize) const
{
    for (const Entry& entry : entries_)
        if (entry.control)
            entry.control->setGeometry(
                place(entry.design, entry.control->size(), entry.edges, entry.designParent, parentSize));
}

QRect ControlAnchors::place(const QRect& design, const QSize& current, int edges, const QSize& designParent,
                            const QSize& parent)
{
    // The anchoring rule of the main window, with the present length on an axis that does not stretch.
    QRect rect = design;
    if (!((edges & Left) && (edges & Right)))
        rect.setWidth(current.width());
    if (!((edges & Top) && (edges & Bottom)))
        rect.setHeight(current.height());
    return AnchoredRect(rect, designParent, parent, static_cast<AnchorSet>(edges));
}
