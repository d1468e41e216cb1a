# What `cmake --install` puts under a prefix, in the two parts Debian splits
# a library into, each a Debian package of its own (`cpack -G DEB`):
#   Runtime      the shared libraries with their SONAME, the korvagraph
#                program, its man page and the bundled sample
#   Development  the public headers under korvagraph/, the .so links, the
#                CMake package (KorvaGraph::KorvaGraphLib, KorvaGraph::Canvas,
#                KorvaGraph::Analysis) and the pkg-config files; it depends
#                on the runtime package
#   Python       the Python package korvagraph in Debian's python3 site folder
#                (python/CMakeLists.txt installs it), packaged as
#                python3-korvagraph, which depends on the runtime package
include(CMakePackageConfigHelpers)

# The shared libraries installed, each TARGET or TARGET=NAME, NAME being its
# name in the CMake package (KorvaGraph::NAME; the target's own otherwise).
# A library that hosts link also has its pkg-config file: cmake/*.pc.in are
# all installed. Adding a library is one entry here and, for hosts, its .pc.
set(kg_installed_libraries
  KorvaGraphLib
  kvplatform=Canvas
  KorvaLib
  Tallyx
  Ravlin
  KorvaGraphAnalysis=Analysis)

set(kg_shared_libraries)
foreach(entry IN LISTS kg_installed_libraries)
  string(REPLACE "=" ";" entry_parts "${entry}")
  list(GET entry_parts 0 target)
  list(APPEND kg_shared_libraries ${target})
  list(LENGTH entry_parts entry_length)
  if(entry_length EQUAL 2)
    list(GET entry_parts 1 export_name)
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${export_name})
  endif()
endforeach()

# libKorvaGraphLib.so.1 -> libKorvaGraphLib.so.1.0.0, and so for the others.
# Installed binaries find each other beside themselves, wherever the prefix.
set_target_properties(${kg_shared_libraries} PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  INSTALL_RPATH "$ORIGIN")

# The siblings are loaded by the chart library; hosts never link them, but
# they are exported so the chart library's link needs can be followed.
install(TARGETS ${kg_shared_libraries} EXPORT KorvaGraphLibTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT Runtime NAMELINK_COMPONENT Development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/korvagraph
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development
  FILES_MATCHING PATTERN "*.h")

set(kg_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/KorvaGraphLib)
install(EXPORT KorvaGraphLibTargets NAMESPACE KorvaGraph::
  DESTINATION ${kg_cmake_dir} COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KorvaGraphLibConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KorvaGraphLibConfig.cmake
  INSTALL_DESTINATION ${kg_cmake_dir})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/KorvaGraphLibConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvaGraphLibConfig.cmake
  ${PROJECT_BINARY_DIR}/KorvaGraphLibConfigVersion.cmake
  DESTINATION ${kg_cmake_dir} COMPONENT Development)

# pkg-config: written at install time, so that each file names the prefix
# the files really go to (`cmake --install --prefix P`, or /usr in the
# Debian package).
file(GLOB kg_pkgconfig_templates CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/cmake/*.pc.in)
foreach(template IN LISTS kg_pkgconfig_templates)
  get_filename_component(pkgconfig_file ${template} NAME_WLE)
  install(CODE "
    set(CMAKE_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR})
    set(CMAKE_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
    set(PROJECT_VERSION ${PROJECT_VERSION})
    configure_file(${template} ${PROJECT_BINARY_DIR}/${pkgconfig_file} @ONLY)"
    COMPONENT Development)
  install(FILES ${PROJECT_BINARY_DIR}/${pkgconfig_file}
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)
endforeach()

if(TARGET korvagraph)
  set_target_properties(korvagraph PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS korvagraph RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT Runtime)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/docs/korvagraph.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
install(FILES ${PROJECT_SOURCE_DIR}/data/sample.dat
  DESTINATION ${CMAKE_INSTALL_DATADIR}/korvagraph COMPONENT Runtime)

# The Debian packages: korvagraphlib (Runtime) and korvagraphlib-dev
# (Development), everything under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
if(KG_BUILD_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL Python)
endif()
set(CPACK_PACKAGE_NAME korvagraphlib)
set(CPACK_PACKAGE_VENDOR "KorvaGraphLib")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Charts of spatial statistics drawn into off-screen windows")
set(CPACK_PACKAGE_CONTACT "KorvaGraphLib developers <korvagraph@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME korvagraphlib)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# The summary line is CPACK_PACKAGE_DESCRIPTION_SUMMARY for both packages.
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "The shared libraries, the korvagraph \
program with its man page and the bundled sample data set.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_GENERATE_SHLIBS ON)
# Text needs a serif font through fontconfig; the dependencies of the
# binaries come from dpkg-shlibdeps where it is there (dpkg-dev).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS
  "fontconfig, fonts-liberation | fonts-dejavu-core")
find_program(KG_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KG_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS
    ", libc6, libstdc++6, libpng16-16, libfreetype6, libfontconfig1, libcairo2")
endif()

# The public headers include only the standard library, and only shared
# libraries are installed: the runtime package is all a host's build needs.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME korvagraphlib-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "The public headers, the .so \
links, the CMake package and the pkg-config files a host builds against.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "korvagraphlib (= ${PROJECT_VERSION})")
if(KG_BUILD_PYTHON)
  # The module is built for the minor version of Debian's python3 it was built
  # with (its ABI tag is in the file name) and imports numpy and pandas.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-korvagraph)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  string(JOIN " " CPACK_COMPONENT_PYTHON_DESCRIPTION
    "The Python module korvagraph: the charts and the analysis library for"
    "numpy arrays and pandas DataFrames, shown inline in notebooks.")
  set(kg_python ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR})
  math(EXPR kg_python_next "${Python_VERSION_MINOR} + 1")
  string(JOIN ", " CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "korvagraphlib (= ${PROJECT_VERSION})" "python3 (>= ${kg_python})"
    "python3 (<< ${Python_VERSION_MAJOR}.${kg_python_next})"
    "python3-numpy" "python3-pandas")
endif()
include(CPack)
