# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files it has installed for
# the Debian packages, before it packs them: strips them as dh_strip strips
# Debian's own. An ELF file (an executable) loses its symbols, debug
# information and the .comment and .note sections (the compiler's version);
# a static library its debug information and those sections, with its
# members' times, owners and modes made the same for every build.

file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS files)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 8 HEX)
  if(magic MATCHES "^7f454c46") # "\x7fELF"
    set(options --remove-section=.comment --remove-section=.note)
  elseif(magic STREQUAL "213c617263683e0a") # "!<arch>\n"
    set(options --strip-debug --remove-section=.comment --remove-section=.note --enable-deterministic-archives)
  else()
    continue()
  endif()
  execute_process(COMMAND ${CPACK_QM_STRIP} ${options} "${file}" RESULT_VARIABLE failed ERROR_VARIABLE errors)
  if(failed)
    message(FATAL_ERROR "cannot strip ${file}: ${errors}")
  endif()
endforeach()
