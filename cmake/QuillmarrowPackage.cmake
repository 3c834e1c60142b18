# The chart library and the view kit it draws with, installed as the CMake
# package "Quillmarrow" (component Development):
#   <prefix>/include/quillmarrow/{kit,charts}/<folder>/<File>.h (and the
#     sub-folders' headers, kit/ui/engine/<File>.h, kit/ui/raster/<File>.h)
#   <prefix>/lib/libquillmarrow_<part>.a
#   <prefix>/lib/cmake/Quillmarrow/QuillmarrowConfig.cmake (+ version, targets)
#   <prefix>/lib/pkgconfig/quillmarrow.pc
# so that another project writes
#   find_package(Quillmarrow REQUIRED)
#   target_link_libraries(app PRIVATE Quillmarrow::charts)
# or builds with `pkg-config --cflags --libs quillmarrow`.
# Quillmarrow::charts is the whole chart library; its parts are
# Quillmarrow::<part> for each part below. The application's own libraries
# and the counter stay out of it.

include(CMakePackageConfigHelpers)

set(QM_PACKAGE_PARTS kit_base kit_ui charts_core charts_pie charts_axes charts_line charts_bar charts_overlays)
set(QM_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quillmarrow)

add_library(charts INTERFACE)
target_link_libraries(charts INTERFACE charts_core charts_pie charts_axes charts_line charts_bar charts_overlays)

foreach(part IN LISTS QM_PACKAGE_PARTS charts)
  # The names a program outside this tree links to, also usable inside it.
  add_library(Quillmarrow::${part} ALIAS ${part})
endforeach()

foreach(part IN LISTS QM_PACKAGE_PARTS)
  # A program using the headers compiles as C++20, as they do; a prefix keeps
  # the archives' names apart from other libraries' in lib/.
  target_compile_features(${part} PUBLIC cxx_std_20)
  set_target_properties(${part} PROPERTIES OUTPUT_NAME quillmarrow_${part})
  string(REPLACE "_" "/" folder ${part})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillmarrow/${folder}
          COMPONENT Development
          FILES_MATCHING PATTERN "*.h")
endforeach()

install(TARGETS ${QM_PACKAGE_PARTS} charts
        EXPORT QuillmarrowTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillmarrow)
install(EXPORT QuillmarrowTargets
        NAMESPACE Quillmarrow::
        DESTINATION ${QM_PACKAGE_DIR}
        COMPONENT Development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuillmarrowConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/package/QuillmarrowConfig.cmake
                              INSTALL_DESTINATION ${QM_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/QuillmarrowConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/QuillmarrowConfig.cmake
              ${CMAKE_BINARY_DIR}/package/QuillmarrowConfigVersion.cmake
        DESTINATION ${QM_PACKAGE_DIR}
        COMPONENT Development)

# The pkg-config file beside the CMake package: the whole library, its
# archives in an order that links (each before the parts it uses), and the
# prefix found from the file's own folder, so that it holds wherever the tree
# is installed or unpacked.
set(QM_PC_LIBS "")
foreach(part IN LISTS QM_PACKAGE_PARTS)
  string(PREPEND QM_PC_LIBS "-lquillmarrow_${part} ")
endforeach()
string(STRIP "${QM_PC_LIBS}" QM_PC_LIBS)
file(RELATIVE_PATH QM_PC_PREFIX_FROM_PCFILEDIR /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QM_PC_PREFIX_FROM_PCFILEDIR "${QM_PC_PREFIX_FROM_PCFILEDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillmarrow.pc.in ${CMAKE_BINARY_DIR}/package/quillmarrow.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/quillmarrow.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT Development)
