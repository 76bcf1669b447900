#include "suggestion_list.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>

namespace {
constexpr int kPreferredWidth = 520;
}

SuggestionList::SuggestionList(QLineEdit* box) : QTreeWidget(box), box_(box)
{
    setObjectName(QStringLiteral("findSuggestions"));
    // A window of its own, so it may reach past the main window's edge, which never takes the
    // focus from the box.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setColumnCount(2);
    header()->hide();
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows a little apart, for reading and for the pointer.
    setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 4px; }"));
    hide();
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const int row = indexOfTopLevelItem(item);
        if (row >= 0 && row < int(suggestions_.size()))
            emit clicked(suggestions_[std::size_t(row)]);
    });
}

void SuggestionList::Show(const std::vector<fulltext::Suggestion>& suggestions)
{
    suggestions_ = suggestions;
    clear();
    if (suggestions_.empty()) {
        hide();
        return;
    }
    for (const fulltext::Suggestion& suggestion : suggestions_) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, suggestion.title);
        item->setToolTip(0, suggestion.title);
        item->setText(1, QStringLiteral("%1.%2").arg(suggestion.category).arg(suggestion.position));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    setCurrentItem(nullptr);
    clearSelection();
    place();
    show();
    raise();
}

void SuggestionList::place()
{
    const int rows = topLevelItemCount();
    const int rowHeight = indexRowSizeHint(model()->index(0, 0));
    const QRect screen = box_->screen()->availableGeometry();
    const int width = std::min(std::max(box_->width(), kPreferredWidth), screen.width());
    const int height = rows * rowHeight + 2 * frameWidth();
    QPoint at = box_->mapToGlobal(QPoint(0, box_->height()));
    // Above the box when the screen ends below it.
    if (at.y() + height > screen.bottom() + 1)
        at = box_->mapToGlobal(QPoint(0, -height));
    at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - width)));
    setGeometry(QRect(at, QSize(width, height)));
}

void SuggestionList::Move(int rows)
{
    const int count = topLevelItemCount();
    if (count == 0 || isHidden())
        return;
    const int current = currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
    int next;
    if (current < 0)
        next = rows > 0 ? 0 : count - 1;
    else
        next = std::clamp(current + rows, 0, count - 1);
    setCurrentItem(topLevelItem(next));
    topLevelItem(next)->setSelected(true);
}

const fulltext::Suggestion* SuggestionList::Chosen() const
{
    if (isHidden() || !currentItem() || !currentItem()->isSelected())
        return nullptr;
    const int row = indexOfTopLevelItem(currentItem());
    return row >= 0 && row < int(suggestions_.size()) ? &suggestions_[std::size_t(row)] : nullptr;
}
