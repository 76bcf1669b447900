#include "search_window.h"

#include "main_window.h"

TfrmSearch::TfrmSearch(TForm1* owner) : QDialog(owner) {}
