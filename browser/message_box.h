#pragma once
// The one place that shows the program's message boxes: the application title as caption, the
// text and one OK button.
#include <QString>

class QWidget;

enum class MessageIcon { None, Stop };

extern const QString ApplicationTitle;  // "Catalogue VELORA 2014"

// Shows a modal box with the application title and one OK button.
void ShowMessage(const QString& text, MessageIcon icon = MessageIcon::None, QWidget* owner = nullptr);
