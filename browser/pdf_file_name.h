#pragma once
// The file name proposed when a page is saved as PDF: the catalogue position and the page's
// title, such as "5.12 Closed-cycle mussel farming.pdf".
#include <QString>
#include <cstdint>

// "5.12" for category 5, position 12; "0.1" for the first introductory page.
QString PositionForFileName(std::int32_t category, std::int32_t position);

// "<position> <title>.pdf". Characters no file system can hold in a name (/ \ : * ? " < > | and
// control characters) become blanks, runs of blanks one blank; leading and trailing blanks and
// dots are dropped. An empty title gives "<position>.pdf"; a very long title is cut.
QString PdfFileName(const QString& position, const QString& title);
