#pragma once
// The functions of Access queries that SQLite lacks or names differently, registered on a
// connection under the names the Access dialect translation gives them (jet_left, jet_format, ...).
struct sqlite3;

void RegisterAccessFunctions(sqlite3* db);
