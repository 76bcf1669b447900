#pragma once
// A grid of record panels, one column of two, over the rows of a data source. Only the current
// row's panel holds live controls; the other visible panel is painted from its row's values with
// the same controls' places, fonts and colours, so any number of rows costs two panels.
// Controls of the panel that carry the property "dataField" show that column of their row.
#include "anchors.h"
#include "data_source.h"

#include <QAbstractScrollArea>
#include <QPointer>

class QFrame;
class QPainter;

class TDBCtrlGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int RowCount = 2;  // panels visible at a time
    static constexpr const char* DataFieldProperty = "dataField";

    explicit TDBCtrlGrid(QWidget* parent = nullptr);

    // Takes the record panel as designed: its children and their anchors inside the panel.
    void setPanel(QFrame* panel);
    void setPanelAnchors(QWidget* control, AnchorSet anchors);
    QFrame* panel() const { return panel_; }

    void setDataSource(TDataSource* source);
    TDataSource* dataSource() const { return source_; }

    int rowCount() const;
    int currentRow() const { return current_; }
    int topRow() const { return top_; }
    // The place of visible panel 0 or 1 in the viewport.
    QRect panelRect(int visibleIndex) const;
    // Rows that have a panel shown: none while the dataset is closed, one empty panel when it is
    // open without rows.
    int shownPanelCount() const;

    // Reloads the live controls from the current row (after a control's data field changed).
    void refresh();

signals:
    void clicked();
    // Enter on the grid or on the current panel's controls, while a row is current.
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool datasetOpen() const;
    void moveTo(int row);
    void dataSourceReset();
    void dataSourceRowChanged(int row);
    void syncScrollBar();
    void placePanel();
    void fillPanel(int row);
    void describeCurrentRow();
    QString fieldText(int row, const QWidget* control) const;
    void paintPanelPicture(QPainter& painter, const QRect& rect, int row) const;
    int panelHeight() const;

    QPointer<QFrame> panel_;
    Anchors* panelAnchors_;
    QPointer<TDataSource> source_;
    int current_ = -1;
    int top_ = 0;
    bool syncing_ = false;
};
