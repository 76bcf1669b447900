// velora-jet-reader FILE
//
// Copies every user table of the Access (Jet) file FILE into an SQLite database in memory and
// writes its image, as sqlite3_serialize gives it, to standard output; nothing is written to disk.
// A file without user tables gives no bytes. Exit status 0 when the image is written whole, 1 when
// the file cannot be read (with one line on standard error), 2 for a wrong command line.
//
// The catalogue's programs start it for every Jet file they open (jet_import.cpp): libmdb may loop
// without end or crash on a damaged file, and in a process of its own it is ended at a time limit
// and can harm nothing else.
#include "jet_copy.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#define NULL_DEVICE "NUL"
#else
#include <sys/resource.h>
#include <unistd.h>
#define NULL_DEVICE "/dev/null"
#endif

namespace {

bool writeAll(int fd, const unsigned char* data, sqlite3_int64 size)
{
    while (size > 0) {
        const int chunk = size > (1 << 20) ? (1 << 20) : int(size);
        const auto n = write(fd, data, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: velora-jet-reader FILE\n", stderr);
        return 2;
    }
#ifndef _WIN32
    // A crash on a damaged file leaves no core file behind.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#endif
    // libmdb prints its warnings on both standard streams: they go to the null device, so that
    // the image alone reaches standard output and standard error carries only this program's line.
    const int image = dup(1);
    const int messages = dup(2);
    const int nullDevice = open(NULL_DEVICE, O_WRONLY);
    if (image < 0 || messages < 0 || nullDevice < 0 || dup2(nullDevice, 1) < 0 || dup2(nullDevice, 2) < 0)
        return 1;
#ifdef _WIN32
    _setmode(image, _O_BINARY);
#endif
    FILE* errors = fdopen(messages, "w");

    sqlite3* db = CopyJetTables(argv[1]);
    sqlite3_int64 size = 0;
    unsigned char* bytes = db ? sqlite3_serialize(db, "main", &size, 0) : nullptr;
    // A database without tables has no pages, so no image either.
    const bool written = db && (bytes || size == 0) && writeAll(image, bytes, size);
    sqlite3_free(bytes);
    sqlite3_close(db);
    if (!written) {
        if (errors)
            std::fprintf(errors, "velora-jet-reader: cannot read %s as an Access database\n", argv[1]);
        return 1;
    }
    return close(image) == 0 ? 0 : 1;
}
