# The Debian packages, made by `cpack -G DEB` in a build folder
# (scripts/package.sh makes them of a release build with Debian's hardening
# flags): quillmarrow_<version>_<arch>.deb holds the Runtime component under
# /usr (bin/quillmarrow, libexec/quillmarrow/scc, share/quillmarrow/*.json,
# the desktop entry, icons, AppStream metadata and manual pages) and depends
# on the packages of the shared libraries the executables link to, as
# dpkg-shlibdeps (from dpkg-dev) finds them; quillmarrow-dev_<version>_<arch>.deb
# holds the Development component (the chart library's headers, static
# libraries, CMake package and pkg-config file). Each has the copyright file
# and changelog of resources/debian under its own name. The
# menu and icon caches are brought up to date by the triggers of the
# desktop's own packages.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmarrow)
set(CPACK_PACKAGE_VENDOR "The Quillmarrow developers")
set(CPACK_PACKAGE_CONTACT "The Quillmarrow developers <${QM_SUPPORT_EMAIL}>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_COMPONENTS_GROUPING IGNORE) # a package for each component
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillmarrow.app)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# Each description's first line is its package's summary.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME quillmarrow)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "counts the lines of source code of your projects
Quillmarrow counts the lines of source code of folders and shows, for each
project, the totals of lines, code, comments and blank lines, a table of its
languages, a table of the files of one language and a pie chart of code lines
by language. Its line counter, scc, can also be used on its own.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# Qt's own translations put its standard dialogs in the user's language.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS qt6-translations-l10n)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME quillmarrow-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "chart library of Quillmarrow (development files)
The chart library that Quillmarrow draws its charts with: pie, doughnut, bar
and line charts with their decorations, on its own declarative view layer for
Qt 6 widgets. This package holds its headers, static libraries, CMake package
(find_package(Quillmarrow)) and pkg-config file (quillmarrow).")
# Its headers include Qt's and nlohmann-json's, which its CMake package finds.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "quillmarrow (= ${PROJECT_VERSION}), qt6-base-dev, nlohmann-json3-dev")

# Stripped in full, as Debian strips its own packages (dh_strip): the
# executables of their symbols and of the compiler's .comment and .note
# sections, the static libraries of their debug information and those
# sections, their members' times and owners set to zero.
set(CPACK_STRIP_FILES OFF)
set(CPACK_QM_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianStrip.cmake)

# /usr/share/doc/<package>/: the copyright file and the changelog (compressed
# by gzip -9n, as Debian's are).
set(debian ${PROJECT_SOURCE_DIR}/resources/debian)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
  COMMAND ${QM_GZIP} -9n -c ${debian}/changelog > ${CMAKE_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${debian}/changelog)
add_custom_target(debian_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
foreach(component Runtime Development)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES ${debian}/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component})
endforeach()

include(CPack)
