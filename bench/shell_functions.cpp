// The connection's own SQL functions and text order, as a loadable extension of the sqlite3 shell,
// so that a benchmark's shell peer runs exactly the program's translated statement:
//   sqlite3 -cmd '.load build/libvelora_shell_functions' catalogue.db < statement.sql
// The shell links the same libsqlite3 as this library, so the functions register through it
// directly.
#include "access_functions.h"
#include "jet_text.h"

struct sqlite3_api_routines;

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char**,
                                                                             const sqlite3_api_routines*)
{
    RegisterJetFunctions(db);
    RegisterAccessFunctions(db);
    return 0;  // SQLITE_OK
}
