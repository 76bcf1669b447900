// Layout of the main window (placeholder until the layout is built).
#include "main_window.h"

void TForm1::setUpLayout() {}
void TForm1::Image1Click() {}
void TForm1::ToggleMenuPanel() {}
