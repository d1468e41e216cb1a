# What the Python module is built with: Debian's python3 (KG_PYTHON; numpy
# and pandas are its packages, not those of another python3 on PATH) with
# its headers, and pybind11. Included by the top-level CMakeLists before the
# install rules, so that they package the module only when it is built:
# without these (scripts/install-deps python) KG_BUILD_PYTHON turns off.
set(KG_PYTHON /usr/bin/python3 CACHE FILEPATH
    "The Python interpreter the module is built and tested for")
set(KG_PYTHON_INSTALL_DIR lib/python3/dist-packages CACHE STRING
    "Where the package goes under the prefix (Debian's python3 reads /usr/lib/python3/dist-packages)")
if(KG_BUILD_PYTHON)
  set(Python_EXECUTABLE ${KG_PYTHON})
  find_package(Python 3.9 COMPONENTS Interpreter Development.Module)
  set(PYBIND11_FINDPYTHON ON)
  find_package(pybind11 2.6 CONFIG QUIET)
  if(NOT Python_FOUND OR NOT pybind11_FOUND)
    message(STATUS "No pybind11 or no headers of ${KG_PYTHON} "
            "(scripts/install-deps python): the Python module is not built")
    set(KG_BUILD_PYTHON OFF)
  endif()
endif()
