# What `cmake --install` puts under a prefix: the six shared libraries with
# their SONAME, the public headers under korvagraph/, the CMake package
# (KorvaGraph::KorvaGraphLib, KorvaGraph::Canvas, KorvaGraph::Analysis),
# korvagraphlib.pc and korvagraph-analysis.pc, the
# korvagraph program with its man page and the bundled sample; and the Debian
# package of all of it (`cpack -G DEB`).
include(CMakePackageConfigHelpers)

set(kg_shared_libraries KorvaGraphLib kvplatform KorvaLib Tallyx Ravlin
  KorvaGraphAnalysis)
# libKorvaGraphLib.so.1 -> libKorvaGraphLib.so.1.0.0, and so for the others.
# Installed binaries find each other beside themselves, wherever the prefix.
set_target_properties(${kg_shared_libraries} PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  INSTALL_RPATH "$ORIGIN")
set_target_properties(kvplatform PROPERTIES EXPORT_NAME Canvas)

# The siblings are loaded by the chart library; hosts never link them, but
# they are exported so the chart library's link needs can be followed.
install(TARGETS ${kg_shared_libraries} EXPORT KorvaGraphLibTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/korvagraph
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")


set(kg_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/KorvaGraphLib)
install(EXPORT KorvaGraphLibTargets NAMESPACE KorvaGraph::
  DESTINATION ${kg_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KorvaGraphLibConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KorvaGraphLibConfig.cmake
  INSTALL_DESTINATION ${kg_cmake_dir})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/KorvaGraphLibConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvaGraphLibConfig.cmake
  ${PROJECT_BINARY_DIR}/KorvaGraphLibConfigVersion.cmake
  DESTINATION ${kg_cmake_dir})

# pkg-config: written at install time, so that it names the prefix the files
# really go to (`cmake --install --prefix P`, or /usr in the Debian package).
install(CODE "
  set(CMAKE_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR})
  set(CMAKE_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
  set(PROJECT_VERSION ${PROJECT_VERSION})
  foreach(pc korvagraphlib korvagraph-analysis)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/\${pc}.pc.in
      ${PROJECT_BINARY_DIR}/\${pc}.pc @ONLY)
  endforeach()")
install(FILES ${PROJECT_BINARY_DIR}/korvagraphlib.pc
  ${PROJECT_BINARY_DIR}/korvagraph-analysis.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(TARGET korvagraph)
  set_target_properties(korvagraph PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS korvagraph RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/docs/korvagraph.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/sample.dat
  DESTINATION ${CMAKE_INSTALL_DATADIR}/korvagraph)

# The Debian package: everything above under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvagraphlib)
set(CPACK_PACKAGE_VENDOR "KorvaGraphLib")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Charts of spatial statistics drawn into off-screen windows")
set(CPACK_PACKAGE_CONTACT "KorvaGraphLib developers <korvagraph@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_STRIP_FILES ON)
# Text needs a serif font through fontconfig; the dependencies of the
# binaries come from dpkg-shlibdeps where it is there (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fontconfig, fonts-liberation | fonts-dejavu-core")
find_program(KG_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KG_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libc6, libstdc++6, libpng16-16, libfreetype6, libfontconfig1, libcairo2")
endif()
include(CPack)
