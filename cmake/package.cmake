# The Debian package of the command-line program, made by CPack in a Linux build folder
# (`cpack -G DEB`; scripts/release.sh): /usr/bin/veltrax_diffr, stripped, the manual page
# veltrax_diffr(1) made from the option table --help prints, and in /usr/share/doc/veltrax-diffr
# the README, the copyright file (Debian's machine-readable format) and the changelog.
include(GNUInstallDirs)

set(VELTRAX_PACKAGE veltrax-diffr)
set(VELTRAX_PACKAGE_PREFIX /usr)
set(VELTRAX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${VELTRAX_PACKAGE})
set(VELTRAX_MAINTAINER
    "Seed 3eeee743 maintainers <maintainers@users.noreply.c-seed-3eeee743.example>")
# The dates of the manual page and the changelog entry: the day of the build, or of
# SOURCE_DATE_EPOCH where that is set (scripts/release.sh sets the last commit's).
string(TIMESTAMP VELTRAX_MANUAL_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP VELTRAX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

find_program(VELTRAX_GZIP gzip REQUIRED)
add_executable(veltrax_manual cli/manual.cpp cli/help.cpp)
target_include_directories(veltrax_manual PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(veltrax_manual PRIVATE veltrax_warnings)

set(manual ${PROJECT_BINARY_DIR}/veltrax_diffr.1)
add_custom_command(
  OUTPUT ${manual}.gz
  COMMAND veltrax_manual ${manual} ${PROJECT_VERSION} ${VELTRAX_MANUAL_DATE}
          ${PROJECT_DESCRIPTION} ${VELTRAX_PACKAGE_PREFIX}/${VELTRAX_DOC_DIR}/README.md
  COMMAND ${VELTRAX_GZIP} -9nf ${manual}
  DEPENDS veltrax_manual
  COMMENT "Making the manual page veltrax_diffr(1)"
  VERBATIM)
# A package without a Debian revision is a native one, whose changelog is changelog.gz.
set(changelog ${PROJECT_BINARY_DIR}/changelog)
configure_file(packaging/debian/changelog.in ${changelog} @ONLY)
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND ${VELTRAX_GZIP} -9nkf ${changelog}
  DEPENDS ${changelog}
  VERBATIM)
add_custom_target(veltrax_package_files ALL DEPENDS ${manual}.gz ${changelog}.gz)

# Installing (and so CPack) builds nothing but what it installs is built first: scripts/release.sh
# builds veltrax_diffr and veltrax_package_files, not the desktop program's headless tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS veltrax_diffr RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md packaging/debian/copyright ${changelog}.gz DESTINATION ${VELTRAX_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VELTRAX_PACKAGE})
set(CPACK_PACKAGE_CONTACT ${VELTRAX_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${VELTRAX_PACKAGE_PREFIX})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# The extended description, under the summary line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "veltrax_diffr compares a reference netlist with a compare netlist of one board
and writes every part added, deleted or changed in value or footprint, and
every pin whose net connection changed, into a CSV result file. It reads the
CADVANCE, MM-2/Colmo, CADLUS, Protel, TELESIS, CCF(zuken) and PADS formats,
tells a CI job by its exit status whether anything differs, and shows the same
comparison as a terminal listing, JSON, an HTML report or Markdown for review.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
