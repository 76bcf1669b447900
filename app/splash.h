#pragma once
// The borderless start-up window: the title picture and the choice of the interface language.
// Escape, released anywhere on it, or its "X" cancels; a close request only hides it.
#include <QWidget>

#include <cstdint>

struct Session;
namespace Ui {
class frmSplash;
}

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    // Creation runs FormCreate. The choice is written into the session.
    explicit TfrmSplash(Session& session, QWidget* parent = nullptr);
    ~TfrmSplash() override;

    Ui::frmSplash& controls() const { return *ui; }

    void FormCreate();
    void cmdRusClick();
    void cmdEngClick();
    void cmdChnClick();
    void btnCloseClick();
    void FormKeyUp(int key);
    void Image1Click() {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void choose(std::uint8_t language);
    Session& session_;
    Ui::frmSplash* ui;
};
