#include "db_ctrl_grid.h"

#include "ado_query.h"
#include "data_source.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <qdrawutil.h>

TDBCtrlGrid::TDBCtrlGrid(QWidget* parent) : QAbstractScrollArea(parent), panelAnchors_(new Anchors(this))
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Window);
    verticalScrollBar()->setRange(0, 0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_)
            moveTo(value);
    });
}

void TDBCtrlGrid::setPanel(QFrame* panel)
{
    panel_ = panel;
    panel->setParent(viewport());
    panel->setAutoFillBackground(true);
    panel->hide();
    for (QWidget* child : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

// Taken against the panel's designed size, before the grid first places it.
void TDBCtrlGrid::setPanelAnchors(QWidget* control, AnchorSet anchors) { panelAnchors_->anchor(control, anchors); }

void TDBCtrlGrid::setDataSource(TDataSource* source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
        connect(source_, &QAbstractItemModel::modelReset, this, &TDBCtrlGrid::dataSourceReset);
        connect(source_, &TDataSource::currentRowChanged, this, &TDBCtrlGrid::dataSourceRowChanged);
        connect(source_, &QAbstractItemModel::dataChanged, this, &TDBCtrlGrid::refresh);
    }
    dataSourceReset();
}

bool TDBCtrlGrid::datasetOpen() const { return source_ && source_->dataset() && source_->dataset()->Active(); }

int TDBCtrlGrid::rowCount() const { return datasetOpen() ? source_->rowCount() : 0; }

int TDBCtrlGrid::panelHeight() const { return viewport()->height() / RowCount; }

QRect TDBCtrlGrid::panelRect(int visibleIndex) const
{
    return QRect(0, visibleIndex * panelHeight(), viewport()->width(), panelHeight());
}

int TDBCtrlGrid::shownPanelCount() const
{
    if (!datasetOpen())
        return 0;
    const int rows = rowCount();
    return rows == 0 ? 1 : qMin(RowCount, rows - top_);
}

void TDBCtrlGrid::dataSourceReset()
{
    const int rows = rowCount();
    current_ = rows > 0 ? qBound(0, source_->currentRow(), rows - 1) : -1;
    top_ = qMax(0, qMin(current_, rows - RowCount));
    refresh();
}

void TDBCtrlGrid::dataSourceRowChanged(int row)
{
    if (row != current_ && row >= 0)
        moveTo(row);
}

void TDBCtrlGrid::moveTo(int row)
{
    const int rows = rowCount();
    if (rows == 0)
        return;
    row = qBound(0, row, rows - 1);
    if (row != current_) {
        current_ = row;
        if (current_ < top_)
            top_ = current_;
        else if (current_ >= top_ + RowCount)
            top_ = current_ - RowCount + 1;
        // The data source reports the move back; current_ already holds it, so that ends there.
        source_->setCurrentRow(row);
    }
    refresh();
}

void TDBCtrlGrid::refresh()
{
    syncScrollBar();
    placePanel();
    fillPanel(current_);
    describeCurrentRow();
    viewport()->update();
}

// Assistive technology hears the current row as the grid's description: the texts its panel shows,
// top to bottom, renewed as the row changes.
void TDBCtrlGrid::describeCurrentRow()
{
    QStringList texts;
    if (panel_ && current_ >= 0) {
        for (QWidget* control : panel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control->isHidden() || control->property(DataFieldProperty).toString().isEmpty())
                continue;
            const QString text = fieldText(current_, control).simplified();
            if (!text.isEmpty())
                texts << text;
        }
    }
    const QString description = texts.join(QStringLiteral("; "));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void TDBCtrlGrid::syncScrollBar()
{
    syncing_ = true;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, qMax(0, rowCount() - 1));
    bar->setPageStep(RowCount);
    bar->setValue(qMax(0, current_));
    syncing_ = false;
}

void TDBCtrlGrid::placePanel()
{
    if (!panel_)
        return;
    if (shownPanelCount() == 0) {
        panel_->hide();
        return;
    }
    const QRect rect = panelRect(qMax(0, current_ - top_));
    panel_->setGeometry(rect);  // the anchored controls follow the panel's new size
    panel_->show();
}

QString TDBCtrlGrid::fieldText(int row, const QWidget* control) const
{
    const QString field = control->property(DataFieldProperty).toString();
    if (row < 0 || field.isEmpty() || !source_)
        return QString();
    const int column = source_->column(field);
    if (column < 0)
        return QString();
    QString text = source_->data(source_->index(row, column)).toString();
    // Line breaks arrive as carriage return and line feed.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void TDBCtrlGrid::fillPanel(int row)
{
    if (!panel_)
        return;
    for (QWidget* control : panel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->property(DataFieldProperty).toString().isEmpty())
            continue;
        const QString text = fieldText(row, control);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(control); memo && memo->toPlainText() != text)
            memo->setPlainText(text);
    }
}

void TDBCtrlGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int shown = shownPanelCount();
    for (int index = 0; index < shown; ++index) {
        const int row = top_ + index;
        if (row != current_ && row < rowCount())
            paintPanelPicture(painter, panelRect(index), row);
    }
}

// Draws the panel's controls as they would show `row`: labels with their texts, fonts and
// colours, memos with the row's text and an idle scroll bar.
void TDBCtrlGrid::paintPanelPicture(QPainter& painter, const QRect& rect, int row) const
{
    if (!panel_)
        return;
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRect(QPoint(), rect.size()));
    const QPalette& panelPalette = panel_->palette();
    painter.fillRect(QRect(QPoint(), rect.size()), panelPalette.color(panel_->backgroundRole()));
    qDrawShadePanel(&painter, QRect(QPoint(), rect.size()), panelPalette, panel_->frameShadow() == QFrame::Sunken,
                    panel_->lineWidth());
    for (QWidget* control : panel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->isHidden())
            continue;
        const bool bound = !control->property(DataFieldProperty).toString().isEmpty();
        const QRect place = control->geometry();  // the live panel has the same size
        if (auto* label = qobject_cast<QLabel*>(control)) {
            painter.setFont(label->font());
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            style()->drawItemText(&painter, place, flags, label->palette(), label->isEnabled(),
                                  bound ? fieldText(row, label) : label->text(), label->foregroundRole());
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            painter.save();
            painter.setClipRect(place);
            painter.fillRect(place, memo->palette().color(QPalette::Base));
            const int barWidth = memo->verticalScrollBar()->width();
            const int margin = int(memo->document()->documentMargin());
            painter.setFont(memo->font());
            painter.setPen(memo->palette().color(QPalette::Text));
            painter.drawText(place.adjusted(margin, margin, -barWidth - margin, 0),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, fieldText(row, memo));
            // The memo's own scroll bar, idle: the same look as on the live panel.
            QScrollBar* liveBar = memo->verticalScrollBar();
            liveBar->render(&painter, place.topLeft() + liveBar->mapTo(memo, QPoint()), QRegion(),
                            QWidget::DrawChildren);
            painter.restore();
        }
    }
    painter.restore();
}

void TDBCtrlGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    placePanel();
    viewport()->update();
}

void TDBCtrlGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: moveTo(current_ - 1); break;
    case Qt::Key_Down: moveTo(current_ + 1); break;
    case Qt::Key_PageUp: moveTo(current_ - RowCount); break;
    case Qt::Key_PageDown: moveTo(current_ + RowCount); break;
    case Qt::Key_Home: moveTo(0); break;
    case Qt::Key_End: moveTo(rowCount() - 1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current_ < 0 || current_ >= rowCount()) {
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        emit activated();
        break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void TDBCtrlGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const int height = panelHeight();
        const int row = height > 0 ? top_ + int(event->position().y()) / height : -1;
        if (row >= 0 && row < top_ + shownPanelCount() && row < rowCount())
            moveTo(row);
        emit clicked();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

// Page keys in the live panel's controls move the current row, and Enter opens it, as in the grid
// itself.
bool TDBCtrlGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
