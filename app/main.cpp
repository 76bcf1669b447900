// Catalogue VELORA 2014: a read-only browser of the catalogue lying beside this program.
#include "startup.h"

int main(int argc, char** argv) { return RunProgram(argc, argv); }
