# The two version numbers of the program, each written once.
#
# PROJECT_VERSION (project() in the top CMakeLists.txt) is the product version: the application's
# version, the search window's hidden version line, the AppStream release and the Debian package.
# VELORA_FILE_VERSION is the executable's file version, which keeps its own numbering.
set(VELORA_FILE_VERSION 1.0.1.0)
# The day the product version was released: the AppStream release and the package's changelog.
set(VELORA_RELEASE_DATE 2026-12-09)

string(REPLACE "." "," VELORA_FILE_VERSION_COMMAS ${VELORA_FILE_VERSION})
set(VELORA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/velora_version.h.in ${VELORA_GENERATED_DIR}/velora_version.h @ONLY)
include_directories(${VELORA_GENERATED_DIR})
