#include "hostile_texts.h"

#include <QChar>

namespace {

QString Utf16(std::initializer_list<char16_t> units)
{
    QString text;
    for (const char16_t unit : units)
        text += QChar(unit);
    return text;
}

}  // namespace

QStringList HostileTexts()
{
    QStringList texts = {
        QStringLiteral("'"),
        QStringLiteral("''"),
        QStringLiteral("'''"),
        QStringLiteral("O'Brien"),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral("\"'\"'"),
        QStringLiteral("`"),
        QStringLiteral("%"),
        QStringLiteral("%%"),
        QStringLiteral("_"),
        QStringLiteral("%_%"),
        QStringLiteral("*"),
        QStringLiteral("?"),
        QStringLiteral("#"),
        QStringLiteral("["),
        QStringLiteral("]"),
        QStringLiteral("[]"),
        QStringLiteral("[!a-z]"),
        QStringLiteral("[%]"),
        QStringLiteral("\\"),
        QStringLiteral("\\'"),
        QStringLiteral(";"),
        QStringLiteral("'; DROP TABLE cc; --"),
        QStringLiteral("\"; DROP TABLE c; --"),
        QStringLiteral("' OR '1'='1"),
        QStringLiteral("' OR 1=1 --"),
        QStringLiteral("%' OR tdb like '%"),
        QStringLiteral("') OR ('a'='a"),
        QStringLiteral("' UNION SELECT * FROM c --"),
        QStringLiteral("'; ATTACH DATABASE '/tmp/x' AS x; --"),
        QStringLiteral("'; PRAGMA writable_schema=1; --"),
        QStringLiteral("'; INSERT INTO c VALUES (99, 'x', 'y'); --"),
        QStringLiteral("'; UPDATE rus SET tdb = ''; --"),
        QStringLiteral("DELETE FROM cc"),
        QStringLiteral("SELECT"),
        QStringLiteral("NULL"),
        QStringLiteral("IIf(1,2,3)"),
        QStringLiteral("chr(39)"),
        QStringLiteral("\" & chr(39) & \""),
        QStringLiteral("' + '"),
        QStringLiteral("' & '"),
        QStringLiteral("/*"),
        QStringLiteral("*/"),
        QStringLiteral("--"),
        QStringLiteral("{fn CONCAT('a','b')}"),
        QStringLiteral("$1"),
        QStringLiteral("?1"),
        QStringLiteral(":name"),
        QStringLiteral("@x"),
        QStringLiteral(" "),
        QStringLiteral("   "),
        QStringLiteral("\t"),
        QStringLiteral("\r\n"),
        QStringLiteral("a\nb"),
        Utf16({0}),
        Utf16({u'a', 0, u'\''}),
        Utf16({0x7f, 0x1b, 0x07, 0x08}),
        Utf16({0x202e, u'a', u'b', u'c'}),  // right-to-left override
        Utf16({0x200f, 0x05e9, 0x05dc, 0x05d5, 0x05dd}),  // right-to-left mark, Hebrew
        QStringLiteral("مرحبا"),
        Utf16({0xd83d, 0xde00}),  // emoji
        Utf16({0xd83d}),  // lone high surrogate
        Utf16({0xde00}),  // lone low surrogate
        Utf16({0xde00, 0xd83d}),  // reversed pair
        Utf16({0xfeff}),  // byte order mark
        Utf16({0xfffd}),
        Utf16({0xffff}),
        Utf16({0x200b, 0x200d}),  // zero-width characters
        Utf16({u'e', 0x0301}),  // combining accent
        QStringLiteral("ﬀ"),
        QStringLiteral("ß"),
        QStringLiteral("İı"),
        QStringLiteral("ЁЛКА ёлка"),
        QStringLiteral("насос"),
        QStringLiteral("НАСОС"),
        QStringLiteral("项目"),
        QStringLiteral("𝔘𝔫𝔦𝔠𝔬𝔡𝔢"),
        QStringLiteral("%s%n%x"),
        QStringLiteral("{0}"),
        QStringLiteral("<script>alert(1)</script>"),
        QStringLiteral("&amp;"),
        QStringLiteral("../../../etc/passwd"),
        QStringLiteral("file:///etc/passwd"),
        QStringLiteral("0"),
        QStringLiteral("-1"),
        QStringLiteral("1e309"),
        QStringLiteral("9223372036854775808"),
        QString(255, u'\''),
        QString(1000, u'%'),
        QString(5000, u'_'),
        QString(100000, u'a'),
        QString(100000, u'\''),
        QStringLiteral("я").repeated(100000),
        Utf16({0xd83d, 0xde00}).repeated(50000),
    };
    // Mixtures: quotes, wildcards and control characters around ordinary words.
    const QString pieces[] = {QStringLiteral("'"), QStringLiteral("%"), QStringLiteral("["), QStringLiteral("\""),
                              Utf16({0})};
    for (int i = 0; texts.size() < 100; ++i)
        texts << pieces[i % 5] + QStringLiteral("насос") + pieces[(i + 2) % 5] + QStringLiteral("pump") +
                pieces[(i + 4) % 5];
    return texts;
}
