#pragma once
// The project search window (placeholder until the window is built).
#include "search_window_port.h"

#include <QDialog>

class TForm1;

class TfrmSearch : public QDialog, public SearchWindowPort {
    Q_OBJECT
public:
    explicit TfrmSearch(TForm1* owner);
    void ApplyLanguage() override {}
    void setRecordCountText(const QString&) override {}
    void ShowModal() override { exec(); }
};
