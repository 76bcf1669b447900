#pragma once
// The language-dependent texts and list items of the search window. A line break inside a label's
// text is "\n".
#include <QString>
#include <QStringList>
#include <cstdint>

struct SearchWindowTexts {
    QString caption;
    QString lblTitle;
    QString lblOrg;
    QString lblCat;
    QString lblFIO;
    QString lblAdr;
    QString lblDep;
    QString lblSort;
    QString cmdFind;
    QString cmdClose;
    QString lblResults;
    QString lblFounded;
    QString lblDBTitle;
    QString lblDBOrg;
    QString lblDBFIO;
    QString lblDBCat;
    QString lblOpenProj;
    QString versionName;  // for assistive technology: the short line Label9 reveals
    QStringList sortItems;  // lstSort
    QStringList departmentItems;  // tDepNum: all departments, then departments 1 to 7
    QStringList categoryItems;  // tCat: all categories, then categories 1 to 11
};

// The texts of language 1 (Russian) or 2 (English); null for any other language, which sets none.
const SearchWindowTexts* SearchWindowTextsFor(std::uint8_t language);
