include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS quorvane EXPORT quorvaneTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES include/quorvane.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT quorvaneTargets NAMESPACE quorvane::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/quorvane)
configure_package_config_file(cmake/quorvaneConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/quorvane)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/quorvaneConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/quorvane)
configure_file(cmake/quorvane.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quorvane.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvane.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# The spreadsheet engine module beside the library, where the library looks for it.
if(TARGET quorvane_calc)
  install(TARGETS quorvane_calc LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
if(TARGET quorvane-tool)
  install(TARGETS quorvane-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
