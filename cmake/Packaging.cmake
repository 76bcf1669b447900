# Installation and the Debian package.
#
# The program reads its catalogue from the folder of its own executable, so the program and the
# demo catalogue share one folder, lib/velora-catalogue/. bin/velora-catalogue is a symlink to the
# program: the program takes its folder from its real path, which the link does not change.
# The maintenance tool needs no catalogue beside it and goes to bin/ itself.
#
#   cmake --install BUILD --prefix PREFIX      install
#   cpack -G DEB (in BUILD)                     velora-catalogue_<version>-<revision>_<arch>.deb
#   packaging/lint-deb.sh FILE.deb              lintian on the package

set(VELORA_PROGRAM_DIR lib/velora-catalogue)
set(VELORA_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS velora-catalogue velora-jet-reader RUNTIME DESTINATION ${VELORA_PROGRAM_DIR})
install(TARGETS velora-catalogue-tool RUNTIME DESTINATION bin)
# A stripped installation (cpack, cmake --install --strip) also drops what a plain strip keeps and
# Debian's dh_strip removes: the .comment section (compiler versions) and a .note section.
set(stripped_binaries ${VELORA_PROGRAM_DIR}/$<TARGET_FILE_NAME:velora-catalogue>
                      ${VELORA_PROGRAM_DIR}/$<TARGET_FILE_NAME:velora-jet-reader>
                      bin/$<TARGET_FILE_NAME:velora-catalogue-tool>)
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(binary ${stripped_binaries})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\" RESULT_VARIABLE stripped)
      if(NOT stripped EQUAL 0)
        message(FATAL_ERROR \"cannot strip \${binary}\")
      endif()
    endforeach()
  endif()")
# Every program that opens Jet files starts velora-jet-reader: the program finds it beside itself,
# the tool in bin/ by this path from its own folder.
file(RELATIVE_PATH jet_reader_from_bin /bin /${VELORA_PROGRAM_DIR})
target_compile_definitions(catalogue_db PRIVATE VELORA_JET_READER_FROM_BIN="${jet_reader_from_bin}")

# The demo catalogue, as the demo_catalogue target lays it beside the program in the build folder.
install(FILES ${CMAKE_BINARY_DIR}/velora2014.mdb DESTINATION ${VELORA_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/data ${CMAKE_BINARY_DIR}/index DESTINATION ${VELORA_PROGRAM_DIR})
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
set(metainfo ${CMAKE_BINARY_DIR}/packaging/org.velora.catalogue.metainfo.xml)
configure_file(${VELORA_PACKAGING_DIR}/org.velora.catalogue.metainfo.xml.in ${metainfo} @ONLY)
install(FILES ${metainfo} DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/icon.png
        DESTINATION share/icons/hicolor/16x16/apps RENAME velora-catalogue.png)
install(DIRECTORY ${VELORA_PACKAGING_DIR}/icons/ DESTINATION share/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION share/doc/velora-catalogue)
# Serving a catalogue on the web: a systemd unit per server and nginx in front of them.
install(FILES ${VELORA_PACKAGING_DIR}/serve/velora-catalogue-serve@.service
              ${VELORA_PACKAGING_DIR}/serve/nginx-velora-catalogue.conf
        DESTINATION share/doc/velora-catalogue/examples)

# The executable's version information on Windows.
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${VELORA_GENERATED_DIR}/version.rc @ONLY)
if(WIN32)
  target_sources(velora-catalogue PRIVATE ${VELORA_GENERATED_DIR}/version.rc)
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velora-catalogue)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The package's own revision of the product version: VERSION-REVISION.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(VELORA_PACKAGE_VERSION ${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
set(CPACK_PACKAGE_VENDOR "Velora")
set(CPACK_PACKAGE_CONTACT "Velora catalogue maintainers <catalogue@velora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browser of the Velora catalogue of innovation projects")
set(CPACK_PACKAGE_DESCRIPTION
    "Catalogue VELORA 2014 is a read-only desktop browser for the catalogue of\n"
    "innovation projects and developments of the research organisations of Velora,\n"
    "in Russian, English and Chinese: introductory pages, eleven categories with\n"
    "their projects, a menu, Previous and Next, a go-to box, and a search by title,\n"
    "organisation, category, contact person, address and department.\n"
    "\n"
    "The package holds the program with a demo catalogue in\n"
    "/usr/lib/velora-catalogue, and velora-catalogue-tool, which builds, checks and\n"
    "queries catalogue folders.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: the faces the window font falls back to where MS Sans Serif is missing.
# A full Chinese font is optional: the program's font installer sets up the catalogue's own. The
# Russian and English dictionaries give the catalogue search every form of a word; an index the
# tool wrote with them is used only where they are installed too.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, hunspell-ru, hunspell-en-us")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")
# Qt's own dialogs (saving, printing) in Russian and Chinese; without it they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

# The package's copyright file in the machine-readable format, with the text of the font's
# licence as the catalogue tool lays it beside the font, and the package's changelog.
file(READ ${CMAKE_SOURCE_DIR}/tools/OFL-1.1.txt VELORA_OFL_TEXT)
string(STRIP "${VELORA_OFL_TEXT}" VELORA_OFL_TEXT)
string(REPLACE "\n\n" "\n.\n" VELORA_OFL_TEXT "${VELORA_OFL_TEXT}")
string(REPLACE "\n" "\n " VELORA_OFL_TEXT " ${VELORA_OFL_TEXT}")
configure_file(${VELORA_PACKAGING_DIR}/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)

# The changelog's date in RFC 2822 form, from the release date; Zeller's congruence gives the
# day of the week.
string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" date_parts ${VELORA_RELEASE_DATE})
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
set(march_year ${year})
set(march_month ${month})
if(month LESS 3)
  math(EXPR march_year "${year} - 1")
  math(EXPR march_month "${month} + 12")
endif()
math(EXPR weekday "(${day} + (13 * (${march_month} + 1)) / 5 + ${march_year} + ${march_year} / 4 - ${march_year} / 100 + ${march_year} / 400) % 7")
set(weekdays Sat Sun Mon Tue Wed Thu Fri)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
math(EXPR month_index "${month} - 1")
list(GET weekdays ${weekday} weekday_name)
list(GET months ${month_index} month_name)
string(LENGTH "${day}" day_digits)
if(day_digits EQUAL 1)
  set(day "0${day}")
endif()
set(VELORA_CHANGELOG_DATE "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000")
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian)
configure_file(${VELORA_PACKAGING_DIR}/changelog.Debian.in ${changelog} @ONLY)
# Compressed without a name or a time stamp, as Debian wants it.
execute_process(COMMAND gzip -9nf ${changelog} RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
  message(FATAL_ERROR "cannot compress ${changelog}")
endif()
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${changelog}.gz DESTINATION share/doc/velora-catalogue)
install(FILES ${VELORA_PACKAGING_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME velora-catalogue)

# Manual pages, compressed as Debian wants them.
foreach(page velora-catalogue.1 velora-catalogue-tool.1)
  set(compressed ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  execute_process(COMMAND gzip -9nc ${VELORA_PACKAGING_DIR}/man/${page}
                  OUTPUT_FILE ${compressed} RESULT_VARIABLE gzip_result)
  if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "cannot compress ${page}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELORA_PACKAGING_DIR}/man/${page})
  install(FILES ${compressed} DESTINATION share/man/man1)
endforeach()

include(CPack)

# Installs into a temporary prefix and checks the installed tree and a start from it.
if(BUILD_TESTING)
  add_test(NAME installed_tree
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/installed_tree.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR}
                   ${CMAKE_SOURCE_DIR}/tests/data/jet/testV2000.mdb)
  set_tests_properties(installed_tree PROPERTIES TIMEOUT 300)
  # Builds the package and checks its copyright file, version and lintian's verdict.
  add_test(NAME package_contents
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/package_contents.sh ${CMAKE_CPACK_COMMAND}
                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})
  set_tests_properties(package_contents PROPERTIES TIMEOUT 600)
endif()

# The installed programs of an optimised build carry Debian's hardening (cmake/Hardening.cmake).
if(BUILD_TESTING AND NOT SANITIZE AND NOT FUZZ AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  add_test(NAME package_hardening
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/hardening.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
  set_tests_properties(package_hardening PROPERTIES TIMEOUT 300)
endif()
