# SPDX-License-Identifier: GPL-3.0-or-later
# The include check on a tree of one header per module, each case planting one include.
# Run as: cmake -DCHECK=<checkincludes.cmake> -DWORK=<scratch folder> -P checkincludes_test.cmake
cmake_minimum_required(VERSION 3.22)
set(modules core formula balance library calc workspace rtf cli app)

# module (or module/file, planted.cpp when not named) | include line | whether the check lets it pass
set(cases
  "core|#include \"core/errors.h\"|pass"
  "rtf|#include \"core/durablefile.h\"|pass"
  "rtf|#include <QtGui/QTextDocument>|pass"
  "rtf|#include <QTextDocument>|pass"
  "cli|#include \"library/library.h\"|pass"
  "cli|#include \"quorvex/version.h\"|pass"
  "app|#include \"rtf/rtfreader.h\"|pass"
  "app|#include <QtWidgets/QWidget>|pass"
  "formula|#include <sys/stat.h>|pass"
  "cli|#include \"app/tform1.h\"|fail"
  "cli|#include <app/tform1.h>|fail"
  "cli|#include <QString>|fail"
  "app|#include \"cli/commands.h\"|fail"
  "rtf|#include \"formula/scanner.h\"|fail"
  "rtf|#include <QtWidgets/QWidget>|fail"
  "core|#include <QString>|fail"
  "calc|#include \"balance/balancer.h\"|fail"
  "workspace|#include \"tests/support/boxes.h\"|fail"
  "library|#include \"../app/tform1.h\"|fail"
  "balance|#include \"balance/exact.h\"|pass"
  "balance|#include <gmpxx.h>|pass"
  "balance/planted.h|#include \"balance/exact.h\"|fail"
  "library|#include \"balance/exact.h\"|fail"
  "cli|#include <balance/exact.h>|fail"
  "workspace|#include <gmpxx.h>|fail"
)

function(run_check result)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK} -P ${CHECK}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  set(${result} ${status} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
foreach(module ${modules})
  file(WRITE ${WORK}/${module}/plain.h "#pragma once\n")
endforeach()
set(failures "")
run_check(status)
if(NOT status EQUAL 0)
  list(APPEND failures "a tree without includes fails")
endif()
foreach(case ${cases})
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 module)
  list(GET fields 1 line)
  list(GET fields 2 expected)
  set(planted ${module})
  if(NOT module MATCHES "/")
    set(planted ${module}/planted.cpp)
  endif()
  file(WRITE ${WORK}/${planted} "${line}\n")
  run_check(status)
  file(REMOVE ${WORK}/${planted})
  if((status EQUAL 0 AND expected STREQUAL "pass") OR (NOT status EQUAL 0 AND expected STREQUAL "fail"))
    continue()
  endif()
  list(APPEND failures "${planted}: ${line} should ${expected}")
endforeach()
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The include check is wrong:\n  ${text}")
endif()
