#pragma once
// A label or picture that reports clicks and double-clicks with the left button, as the menu
// entries, the menu toggle and the search results' link need.
//
// Made operable, it is also a control for the keyboard and for assistive technology: Enter or
// Space presses it while it has the focus (which only the window gives it: its focus policy, and
// with it every tab order, stays as designed), it draws a focus frame then, and assistive
// technology sees it in the given role, named by its text or accessible name, with a press action.
#include <QAccessible>
#include <QLabel>

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget* parent = nullptr);

    void setOperable(QAccessible::Role role);
    bool isOperable() const { return operable_; }
    QAccessible::Role operableRole() const { return role_; }
    // Acts as a click would.
    void press() { emit clicked(); }

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool operable_ = false;
    QAccessible::Role role_ = QAccessible::StaticText;
};
