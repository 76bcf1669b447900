// Navigation commands of the main window (placeholder until the rules are wired).
#include "main_window.h"

#include "program_values.h"
#include "ui_form1.h"

void TForm1::wireNavigation() {}
void TForm1::cmdNextClick() {}
void TForm1::cmdPrevClick() {}
void TForm1::StepForward() {}
void TForm1::StepBack() {}
void TForm1::cmdGoToClick() {}
bool TForm1::tGoToKeyPress(QChar) { return true; }
void TForm1::WebBrowser1BeforeNavigate2(const QString&) {}
void TForm1::menu0Click() {}
void TForm1::menu02Click() {}
void TForm1::menu03Click() {}
void TForm1::menuCategoryClick(int) {}
void TForm1::openMenuPosition(int, int) {}
bool TForm1::eventFilter(QObject* watched, QEvent* event) { return QWidget::eventFilter(watched, event); }
