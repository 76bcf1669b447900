// Fuzzes the navigation rules with one input: twelve bytes of counts, one byte of flags, then a
// text used as a go-to text, as typed keys and as a navigation address. Each rule's promises are
// checked on the result; a broken one aborts.
//
// Checked: an address gives a position inside the catalogue or none, and every page address reads
// back as its own position; no step opens a position outside the catalogue or before the first
// page, and on a catalogue whose counts are all at least 1 Next and Previous undo each other and
// are blocked exactly where the buttons are disabled; a go-to text that passes names a project of
// the catalogue, and one that fails has a message in both languages; typing through the key
// filter only ever gives digits with at most one dot, which the go-to check reads as numbers.
#include "catalogue_order.h"
#include "go_to_check.h"
#include "go_to_key_filter.h"
#include "page_address.h"
#include "page_names.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace {

std::int32_t CountFromByte(std::uint8_t byte)
{
    static const std::int32_t extremes[] = {
        0, -1, 999, 1000, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()};
    if (byte >= 250)
        return extremes[byte - 250];
    return byte % 25;
}

bool InsideCatalogue(CataloguePosition at)
{
    return IsKnownCategory(at.category) && at.position >= 0 && !(at.category == 0 && at.position < 1);
}

bool SoundCounts(const CategoryCounts& counts)
{
    for (const std::int32_t count : counts)
        if (count < 1 || count > 999)
            return false;
    return true;
}

// A page of the catalogue order: introductory pages 1 to count, title pages and projects.
bool InOrder(CataloguePosition at, const CategoryCounts& counts)
{
    if (!IsKnownCategory(at.category))
        return false;
    const std::int32_t first = at.category == 0 ? 1 : 0;
    return at.position >= first && at.position <= counts[at.category];
}

void CheckAddress(const QString& text, const CategoryCounts& counts, std::uint8_t flags)
{
    if (const auto read = PositionFromUrl(text)) {
        FUZZ_CHECK(IsKnownCategory(read->category) && read->position >= 0);
        FUZZ_CHECK(IsPageFileName(FileNameOfUrl(text)));
    }
    // The address of any page, wherever the folder, reads back as that page.
    const CataloguePosition page{flags % 12, counts[flags % 12] > 0 ? counts[flags % 12] % 1000 : 0};
    const QString folder = FileNameOfUrl(text) + QStringLiteral("/");
    const auto back = PositionFromUrl(PageUrl(folder, page.category, page.position, QStringLiteral("e")));
    FUZZ_CHECK(back && *back == page);
    ReadIntegerPrefix(text);
}

void CheckSteps(CataloguePosition start, const QString& moves, const CategoryCounts& counts)
{
    const bool sound = SoundCounts(counts);
    CataloguePosition at = start;
    for (const QChar move : moves.left(64)) {
        const bool forward = move.unicode() & 1;
        const auto next = forward ? StepForwardFrom(at, counts) : StepBackFrom(at, counts);
        if (!next)
            continue;
        FUZZ_CHECK(InsideCatalogue(*next));
        if (sound && InOrder(at, counts)) {
            FUZZ_CHECK(InOrder(*next, counts));
            const auto undone = forward ? StepBackFrom(*next, counts) : StepForwardFrom(*next, counts);
            FUZZ_CHECK(undone && *undone == at);
        }
        at = *next;
    }
    if (sound && InOrder(at, counts)) {
        const StepButtonStates states = StepButtonsAt(at, counts);
        FUZZ_CHECK(states.nextEnabled == StepForwardFrom(at, counts).has_value());
        FUZZ_CHECK(states.previousEnabled == StepBackFrom(at, counts).has_value());
    }
}

void CheckGoTo(const QString& text, const CategoryCounts& counts)
{
    const GoToCheck check = CheckGoToText(text, counts);
    const bool open = check.verdict == GoToVerdict::Open;
    if (open) {
        FUZZ_CHECK(check.target.category >= 1 && check.target.category <= 11);
        FUZZ_CHECK(check.target.position >= 1 && check.target.position <= counts[check.target.category]);
    }
    FUZZ_CHECK(GoToMessageText(check, true).isEmpty() == open);
    FUZZ_CHECK(GoToMessageText(check, false).isEmpty() == open);
}

// Types the text's characters into a box of at most five characters; the characters 1, 2 and 3
// move the caret home, to the end and one left.
void CheckTyping(const QString& keys, const CategoryCounts& counts, bool startWithExample)
{
    QString box = startWithExample ? QStringLiteral("1.1") : QString();
    qsizetype caret = box.size();
    for (const QChar key : keys) {
        if (key == u'\x01') {
            caret = 0;
        } else if (key == u'\x02') {
            caret = box.size();
        } else if (key == u'\x03') {
            caret = caret > 0 ? caret - 1 : 0;
        } else if (GoToKeyAccepted(box, key)) {
            if (key == u'\b') {
                if (caret > 0)
                    box.remove(--caret, 1);
            } else if (box.size() < 5) {
                box.insert(caret++, key);
            }
        }
        FUZZ_CHECK(box.count(u'.') <= 1);
        for (const QChar c : box)
            FUZZ_CHECK(c == u'.' || (c >= u'0' && c <= u'9'));
        FUZZ_CHECK(CheckGoToText(box, counts).verdict != GoToVerdict::FormatNotNumber);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 13)
        return 0;
    CategoryCounts counts;
    for (std::size_t i = 0; i < counts.size(); ++i)
        counts[i] = CountFromByte(data[i]);
    const std::uint8_t flags = data[12];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 13), static_cast<qsizetype>(size - 13));

    CheckAddress(text, counts, flags);
    CheckGoTo(text, counts);
    CheckTyping(text, counts, flags & 0x80);

    // Steps start from the position the address names, or from one made of the flags.
    const auto read = PositionFromUrl(text);
    const CataloguePosition start = read ? *read : CataloguePosition{flags % 13 - 1, (flags / 13) - 2};
    CheckSteps(start, text, counts);
    return 0;
}
