# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a module includes a module it may not depend on, or a Qt module it may not use.
# Run as: cmake -DSOURCE_DIR=<repository root> -P checkincludes.cmake
# Each module may include itself and the modules listed here, which are the ones it
# links; "quorvex" is the generated version header. tests/, bench/ and fuzz/ sit on top:
# they may include every module, and no module includes them. GMP is private to
# balance/: its headers and balance/exact.h are included by balance/*.cpp only (and
# exact.h itself), so that no GMP type reaches a header another module reads.
cmake_minimum_required(VERSION 3.22)
set(modules core formula balance library calc workspace rtf cli app)
set(allowed_core "")
set(allowed_formula core)
set(allowed_balance core formula)
set(allowed_library core formula balance)
set(allowed_calc core formula)
set(allowed_workspace core formula balance library calc)
set(allowed_rtf core)
set(allowed_cli core formula balance library calc quorvex)
set(allowed_app core formula balance library calc workspace rtf quorvex)

# The Qt modules each module may include: none in the core and the command-line tool,
# Qt Core and Gui in rtf/ (a header named without its module comes from the ones the
# module links), any in the window.
set(qt_rtf QtCore QtGui)
set(qt_app ANY)

set(folders ${modules} tests bench fuzz)
set(failures "")
foreach(module ${modules})
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${module}/*.h ${SOURCE_DIR}/${module}/*.cpp)
  if(NOT sources)
    list(APPEND failures "${module}/: the module is missing")
  endif()
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      # "folder/file.h", or <folder/file.h> through the repository root on the include path.
      set(target "")
      if(line MATCHES "include[ \t]*\"([^\"/]+)/")
        set(target ${CMAKE_MATCH_1})
      elseif(line MATCHES "include[ \t]*<([^>/]+)/" AND CMAKE_MATCH_1 IN_LIST folders)
        set(target ${CMAKE_MATCH_1})
      endif()
      if(line MATCHES "include[ \t]*[<\"](gmp\\.h|gmpxx\\.h|balance/exact\\.h)[>\"]"
         AND NOT (module STREQUAL "balance" AND source MATCHES "(\\.cpp|/exact\\.h)$"))
        list(APPEND failures "${source}: ${line} (GMP is private to balance/*.cpp)")
      elseif(target)
        if(NOT target STREQUAL module AND NOT target IN_LIST allowed_${module})
          list(APPEND failures "${source}: ${line}")
        endif()
      elseif(line MATCHES "include[ \t]*<(Q|qt)")
        if(NOT qt_${module})
          list(APPEND failures "${source}: ${line} (no Qt in ${module}/)")
        elseif(NOT qt_${module} STREQUAL "ANY" AND line MATCHES "include[ \t]*<(Qt[A-Za-z0-9]*)/"
               AND NOT CMAKE_MATCH_1 IN_LIST qt_${module})
          list(JOIN qt_${module} ", " usable)
          list(APPEND failures "${source}: ${line} (${module}/ may use ${usable} only)")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Forbidden includes:\n  ${text}")
endif()
