// Interface languages of the main window (placeholder until the languages are built).
#include "main_window.h"

#include "program_values.h"
#include "search_window_port.h"

void TForm1::setUpLanguages() {}
void TForm1::ApplyLanguage()
{
    if (frmSearch)
        frmSearch->ApplyLanguage();
}
void TForm1::cmdLangRusClick() {}
void TForm1::cmdLangClick() {}
void TForm1::cmdLangChnClick() {}
void TForm1::pmlangfontsClick() {}
