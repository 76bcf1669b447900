#pragma once
// A short notice over the top right corner of the HTML view that goes by itself after a moment:
// the zoom level as it changes ("125%"), the file a page was saved to. It takes no focus and no
// clicks, and it is no box to close. Assistive technology hears each notice as a change of the
// notice's name.
#include <QLabel>

class QTimer;

class PageNotice : public QLabel {
    Q_OBJECT
public:
    // Lies over `view`, inside the view's parent.
    explicit PageNotice(QWidget* view);

    // Shows the text for `milliseconds`, replacing any notice still shown.
    void showNotice(const QString& text, int milliseconds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QWidget* view_;
    QString text_;
    QTimer* hideTimer_;
};
