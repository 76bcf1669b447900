#pragma once
// Dark pages: the catalogue's pages, and the results page, shown light on dark by the HTML engine
// itself, through a style sheet the engine adds to every document while it is on. The page files
// are not changed; pictures keep their colours; every text keeps a contrast of at least 7:1 with
// its ground; printing and PDF stay as the page was made (the sheet is for the screen only).
#include <QColor>
#include <QString>

class QPalette;
class QWebEnginePage;

// Switches the page's dark pages on or off: the document shown changes at once, and every
// document the page opens afterwards (frames included) starts dark or light.
void ApplyDarkPages(QWebEnginePage* page, bool on);

// The style sheet, for the screen.
QString DarkPageStyleSheet();

// JavaScript that adds the sheet to the document it runs in (on) or takes it away again (off).
QString DarkPagesScript(bool on);

// The ground of a dark page, also the view's own background while no page is drawn.
QColor DarkPageBackground();

// The palette of the program's own controls over a dark page (the find bar).
QPalette DarkControlsPalette(const QPalette& light);

// True when a palette draws light text on a dark window: the desktop's colour scheme is dark, as
// far as Qt 6.4 can tell.
bool PaletteIsDark(const QPalette& palette);

// The contrast ratio of two colours as WCAG defines it, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);
