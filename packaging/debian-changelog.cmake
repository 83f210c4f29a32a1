# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DIN=CHANGELOG.md -DOUT=changelog -DMAINTAINER="..." -P debian-changelog.cmake
# Writes the releases of CHANGELOG.md ("## VERSION (YYYY-MM-DD)" headings and
# "- " items) in the Debian changelog format that the package carries.
file(STRINGS "${IN}" lines)
set(out "")
set(trailer "")


foreach(line IN LISTS lines)
  if(line MATCHES "^## ([^ ]+) \\(([0-9]+-[0-9]+-[0-9]+)\\)$")
    string(APPEND out "${trailer}")
    set(version "${CMAKE_MATCH_1}")
    execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_2} 12:00:00"
                    OUTPUT_VARIABLE when OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "Cannot read the date of release ${version}")
    endif()
    string(APPEND out "quorvex (${version}) unstable; urgency=medium\n\n")
    set(trailer "\n -- ${MAINTAINER}  ${when}\n\n")
  elseif(line MATCHES "^- (.*)$" AND NOT trailer STREQUAL "")
    string(APPEND out "  * ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^  +(.*)$" AND NOT trailer STREQUAL "")
    string(APPEND out "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
string(APPEND out "${trailer}")
if(out STREQUAL "")
  message(FATAL_ERROR "No release found in ${IN}")
endif()
string(REGEX REPLACE "\n\n$" "\n" out "${out}")
file(WRITE "${OUT}" "${out}")
