# The Debian package of the application, made by `cpack -G DEB` in a build
# folder (scripts/package.sh makes the release one): quillmarrow_<version>_<arch>.deb
# holds the Runtime component under /usr (bin/quillmarrow, libexec/quillmarrow/scc,
# share/quillmarrow/*.json, the desktop entry, icons and AppStream metadata) and
# depends on the packages of the shared libraries the executables link to,
# as dpkg-shlibdeps (from dpkg-dev) finds them. The menu and icon caches are
# brought up to date by the triggers of the desktop's own packages.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmarrow)
set(CPACK_PACKAGE_VENDOR "The Quillmarrow developers")
set(CPACK_PACKAGE_CONTACT "The Quillmarrow developers <${QM_SUPPORT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "counts the lines of source code of your projects")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmarrow counts the lines of source code of folders and shows, for each
project, the totals of lines, code, comments and blank lines, a table of its
languages, a table of the files of one language and a pie chart of code lines
by language. Its line counter, scc, can also be used on its own.")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillmarrow.app)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
