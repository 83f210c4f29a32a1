# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a core module includes a module it may not depend on, or Qt.
# Run as: cmake -DSOURCE_DIR=<repository root> -P checkincludes.cmake
# Each module may include itself and the modules listed here, which are the
# ones it links.
cmake_minimum_required(VERSION 3.22)
set(allowed_core "")
set(allowed_formula core)
set(allowed_balance core formula)
set(allowed_library core formula balance)
set(allowed_calc core formula)
set(allowed_workspace core formula balance library calc)

set(failures "")
foreach(module core formula balance library calc workspace)
  file(GLOB sources ${SOURCE_DIR}/${module}/*.h ${SOURCE_DIR}/${module}/*.cpp)
  if(NOT sources)
    list(APPEND failures "${module}/: the module is missing")
  endif()
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(line MATCHES "include[ \t]*\"([^\"/]+)/")
        set(target ${CMAKE_MATCH_1})
        if(NOT target STREQUAL module AND NOT target IN_LIST allowed_${module})
          list(APPEND failures "${source}: ${line}")
        endif()
      elseif(line MATCHES "include[ \t]*<(Q|qt)")
        list(APPEND failures "${source}: ${line} (no Qt in the core)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Forbidden includes in the core:\n  ${text}")
endif()
