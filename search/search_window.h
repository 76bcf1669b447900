#pragma once
// The project search window: criteria, the search over the shared dataset, the results grid and
// the opening of a found project in the main window.
#include "search_sql.h"
#include "search_window_port.h"
#include "velora_version.h"

#include <QDialog>

#include <cstdint>

class Anchors;
class MainWindowPort;
struct Session;
namespace Ui {
class frmSearch;
}

class TfrmSearch : public QDialog, public SearchWindowPort {
    Q_OBJECT
public:
    // The short line that a double-click on Label9 reveals.
    static constexpr const char* VersionText = VELORA_PRODUCT_VERSION;

    // The window shows the session's language; it searches the owner's dataset and opens what it
    // finds in the owner (none in tests of the window alone).
    TfrmSearch(Session& session, MainWindowPort* owner);
    ~TfrmSearch() override;

    void ApplyLanguage() override;
    void setRecordCountText(const QString& text) override;
    void ShowModal() override;

    Ui::frmSearch& controls() const { return *ui; }
    SearchCriteria criteria() const;

    void FormCreate();
    void FormShow();
    void FormResize() {}
    // Engine errors leave the handler as DatabaseError, for the default error report.
    void cmdFindClick();
    // A row whose category or position is not a decimal integer throws std::invalid_argument.
    void lblOpenProjClick();
    void cmdCloseClick();
    void Label9DblClick();
    void DBCtrlGrid1Click() {}

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setUpControls();
    void fitLabels();
    void nameScrollBars();
    std::uint8_t language() const;

    Session& session_;
    MainWindowPort* owner_;
    Ui::frmSearch* ui;
    Anchors* anchors_;
};
