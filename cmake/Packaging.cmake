# Installation and the Debian package.
#
# The program reads its catalogue from the folder of its own executable, so the program and the
# demo catalogue share one folder, lib/velora-catalogue/. bin/velora-catalogue is a symlink to the
# program: the program takes its folder from its real path, which the link does not change.
# The maintenance tool needs no catalogue beside it and goes to bin/ itself.
#
#   cmake --install BUILD --prefix PREFIX      install
#   cpack -G DEB (in BUILD)                     velora-catalogue_1.1.0_<arch>.deb

set(VELORA_PROGRAM_DIR lib/velora-catalogue)
set(VELORA_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS velora-catalogue RUNTIME DESTINATION ${VELORA_PROGRAM_DIR})
install(TARGETS velora-catalogue-tool RUNTIME DESTINATION bin)

# The demo catalogue, as the demo_catalogue target lays it beside the program in the build folder.
install(FILES ${CMAKE_BINARY_DIR}/velora2014.mdb DESTINATION ${VELORA_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/data DESTINATION ${VELORA_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/sp DESTINATION ${VELORA_PROGRAM_DIR}
        PATTERN "*.sh" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                   WORLD_READ WORLD_EXECUTE
        PATTERN "*.tmp" EXCLUDE)

# A relative link, so the installed tree can be moved or staged under another root.
set(program_link ${CMAKE_BINARY_DIR}/packaging/velora-catalogue)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../${VELORA_PROGRAM_DIR}/velora-catalogue ${program_link} SYMBOLIC)
install(FILES ${program_link} DESTINATION bin)

install(FILES ${VELORA_PACKAGING_DIR}/org.velora.catalogue.desktop DESTINATION share/applications)
install(FILES ${VELORA_PACKAGING_DIR}/org.velora.catalogue.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/icon.png
        DESTINATION share/icons/hicolor/16x16/apps RENAME velora-catalogue.png)
install(DIRECTORY ${VELORA_PACKAGING_DIR}/icons/ DESTINATION share/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION share/doc/velora-catalogue)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velora-catalogue)
set(CPACK_PACKAGE_VERSION 1.1.0)
set(CPACK_PACKAGE_VENDOR "Velora")
set(CPACK_PACKAGE_CONTACT "Velora catalogue maintainers <catalogue@velora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browser of the Velora catalogue of innovation projects")
set(CPACK_PACKAGE_DESCRIPTION
    "Catalogue VELORA 2014 is a read-only desktop browser for the catalogue of innovation\n"
    "projects and developments of the research organisations of Velora, in Russian, English\n"
    "and Chinese: introductory pages, eleven categories with their projects, a menu, Previous\n"
    "and Next, a go-to box, and a search by title, organisation, category, contact person,\n"
    "address and department.\n"
    "\n"
    "The package holds the program with a demo catalogue in /usr/lib/velora-catalogue, and\n"
    "velora-catalogue-tool, which builds, checks and queries catalogue folders.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: the faces the window font falls back to where MS Sans Serif is missing.
# A full Chinese font is optional: the program's font installer sets up the catalogue's own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")

include(CPack)

# Installs into a temporary prefix and checks the installed tree and a start from it.
if(BUILD_TESTING)
  add_test(NAME installed_tree
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/installed_tree.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
  set_tests_properties(installed_tree PROPERTIES TIMEOUT 300)
endif()
