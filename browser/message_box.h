#pragma once
// The one place that shows the program's message boxes: the application title as caption, the
// text and one OK button. Tests install an observer and no box is shown.
#include <QString>
#include <functional>

class QWidget;

enum class MessageIcon { None, Stop };

extern const QString ApplicationTitle;  // "Catalogue VELORA 2014"

// Shows a modal box with the application title and one OK button.
void ShowMessage(const QString& text, MessageIcon icon = MessageIcon::None, QWidget* owner = nullptr);

// While set, boxes go to the observer instead of the screen.
using MessageObserver = std::function<void(const QString& caption, const QString& text, MessageIcon icon)>;
void SetMessageObserver(MessageObserver observer);
