#include "click_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// What assistive technology sees of a click label. Operable: its role, its name (the accessible
// name, else its text on one line), its focus and a press action. Otherwise a plain text or
// picture without actions, as any label. Asked each time, since a label may be made operable after
// assistive technology first met it.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(TClickLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        if (label()->isOperable())
            return label()->operableRole();
        return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = label()->text().simplified();
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (label()->isOperable()) {
            state.focusable = true;
            state.focused = label()->hasFocus();
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return label()->isOperable() ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && label()->isOperable() && label()->isEnabled())
            label()->press();
    }

private:
    TClickLabel* label() const { return static_cast<TClickLabel*>(object()); }
};

QAccessibleInterface* ClickLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TClickLabel"))
        return new ClickLabelAccessible(static_cast<TClickLabel*>(object));
    return nullptr;
}

}  // namespace

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(ClickLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void TClickLabel::setOperable(QAccessible::Role role)
{
    operable_ = true;
    role_ = role;
}

// Accepting the press makes the release come here, not to the parent.
void TClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TClickLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TClickLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (operable_ && event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!operable_ || !hasFocus())
        return;
    // A frame in the selection colour, plain to see on the menu's pale ground and on pictures.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void TClickLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void TClickLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}
