// A loadable extension for the sqlite3 shell: the data layer's text collation, without which
// the shell cannot run the browse statement on the schema's text columns.
#include "ado/TextCompare.h"

#include <sqlite3.h>

extern "C" int sqlite3_extension_init(sqlite3* db, char** error, const void*) {
    try {
        ado::registerTextCollation(db);
        return SQLITE_OK;
    } catch (...) {
        *error = sqlite3_mprintf("cannot register the text collation");
        return SQLITE_ERROR;
    }
}
