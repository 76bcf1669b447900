#include "control_anchors.h"

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

namespace {
// One axis: start and length of the control for the parent's new length.
void PlaceAxis(int& start, int& length, int current, bool near, bool far, int grown)
{
    if (near && far) {
        length += grown;
        return;
    }
    length = current;
    if (far)
        start += grown;
}
}  // namespace

QRect ControlAnchors::place(const QRect& design, const QSize& current, int edges, const QSize& designParent,
                            const QSize& parent)
{
    int x = design.x(), width = design.width(), y = design.y(), height = design.height();
    PlaceAxis(x, width, current.width(), edges & Left, edges & Right, parent.width() - designParent.width());
    PlaceAxis(y, height, current.height(), edges & Top, edges & Bottom, parent.height() - designParent.height());
    return QRect(x, y, qMax(0, width), qMax(0, height));
}
