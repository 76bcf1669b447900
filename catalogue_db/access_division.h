#pragma once
// Division as Access does it: /, \ and Mod give null when an operand is null and report
// "Division by zero" for a divisor of zero, where SQLite answers null in every case. Otherwise
// they answer as SQLite's own operators on the same values: / divides as real numbers, \ divides
// whole numbers (operands cut to whole numbers first), Mod gives the remainder of whole numbers.
struct sqlite3;

// Registers jet_divide(a, b), jet_whole_divide(a, b) and jet_mod(a, b) on a connection.
void RegisterDivisionFunctions(sqlite3* db);
