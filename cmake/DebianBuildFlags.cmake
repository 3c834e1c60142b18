# QM_DEBIAN_BUILDFLAGS: every target compiles and links with the flags Debian
# builds its own packages with, as `dpkg-buildflags` gives them, hardened in
# full: stack protector, _FORTIFY_SOURCE, format checks, -z relro and -z now
# (PIE is the compiler's default there). Debug information is left out: the
# package is stripped and ships no symbols. scripts/package.sh builds the
# Debian package so.

if(QM_DEBIAN_BUILDFLAGS)
  find_program(QM_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Run from the source folder, so that its paths in the build are mapped to ".".
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
              ${QM_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags
      OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
