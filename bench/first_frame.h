#pragma once
// Watches an HTML view for its first drawn page: the first frame of the view's inner widget that
// shows text, not only plain areas (a blank frame before the page, or a window not yet drawn).
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QWebEngineView>
#include <QWidget>

#include <functional>

class FirstFrameWatch : public QObject {
public:
    // Calls done once, from the event loop, when the page shows.
    FirstFrameWatch(QWebEngineView* view, std::function<void()> done)
        : QObject(view), view_(view), done_(std::move(done))
    {
        // Every paint of the inner widget is looked at once the event loop is free again; the
        // inner widget may be made only with the first page, so it is looked for on each round.
        auto* timer = new QTimer(this);
        timer->setInterval(2);
        connect(timer, &QTimer::timeout, this, [this] {
            QWidget* inner = view_->focusProxy();
            if (inner && inner != watched_) {
                inner->installEventFilter(this);
                watched_ = inner;
                dirty_ = true;
            }
            if (dirty_ && watched_ && watched_->isVisible()) {
                dirty_ = false;
                grabbing_ = true;  // the grab paints the widget itself
                const QImage frame = watched_->grab().toImage();
                grabbing_ = false;
                if (!Plain(frame)) {
                    done_();
                    deleteLater();
                }
            }
        });
        timer->start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!grabbing_ && (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest))
            dirty_ = true;
        return QObject::eventFilter(watched, event);
    }

private:
    // Fewer than 16 colours among a grid of samples: a background, a scroll bar, an empty frame;
    // a page's text brings many more (its letters are smoothed).
    static bool Plain(const QImage& image)
    {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 5)
            for (int x = 0; x < image.width(); x += 5)
                colours.insert(image.pixel(x, y));
        return colours.size() < 16;
    }

    QWebEngineView* view_;
    QWidget* watched_ = nullptr;
    bool dirty_ = false;
    bool grabbing_ = false;
    std::function<void()> done_;
};
