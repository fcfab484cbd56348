# Run as a test: fails when code outside common/ steps over Shift JIS by
# hand instead of through the walker (common/codepage/SjisWalk.h), naming
# file and line.
#
#   cmake -DSOURCE_DIR=<tree> "-DFOLDERS=display;text;..." -P CheckRawLeadStep.cmake
#   cmake -DSELF_TEST=ON -DWORK_DIR=<scratch folder> -P CheckRawLeadStep.cmake
#
# A raw lead-byte step is any of (on one line, // comments left out):
#  - a call or definition of isLeadByte( (the byte test belongs to
#    common/codepage; walks use sjis::step, stepWithin and the named
#    variants);
#  - a hand-written lead-byte range: 0x81 and 0x9F with a comparison;
#  - a step built from the walker's byte test: awaitsTrail( with "? 2 : 1",
#    "++" or "+=".
# The self-test plants such steps in a scratch tree and checks that the
# check fails on exactly those, and passes on a clean tree.

cmake_minimum_required(VERSION 3.25)

# Files that may still hold raw steps, each with its reason. They belong to
# work going on elsewhere; take a file off the list once it is converted.
set(ALLOWED
  "files/DetectConvert.cpp|detects and decodes other encodings (EUC, JIS) byte by byte, owned by the files work, not yet converted"
  "files/CodeWriter.cpp|encodes into other encodings, a lead byte tested as the first byte of a code, owned by the files work, not yet converted"
  "files/DocumentWriter.cpp|line walks of the save, owned by the files work, not yet converted"
  "files/TextDecoder.cpp|decoder: reads other encodings before the text is Shift JIS, owned by the files work"
  "files/JisMapping.h|decoder: JIS row/cell to Shift JIS mapping tests lead-byte ranges of that mapping, owned by the files work"
  "files/JisMapping.cpp|decoder: builds the JIS mapping tables over lead-byte ranges, owned by the files work"
)

set(RAW_PATTERNS
  "isLeadByte[ \t]*\\("
  "0x81.*0x9[Ff]"
  "awaitsTrail[ \t]*\\(.*(\\?[ \t]*2[ \t]*:[ \t]*1|\\+\\+|\\+=)"
)
# Quick pre-filter for file(STRINGS): any line that might hold one.
set(ANY_PATTERN "isLeadByte|0x81|awaitsTrail")

function(_raw_step_scan root folders out)
  set(allowed "")
  foreach(entry IN LISTS ALLOWED)
    string(REGEX REPLACE "\\|.*" "" path "${entry}")
    list(APPEND allowed "${path}")
  endforeach()
  set(found "")
  foreach(folder IN LISTS folders)
    if(NOT EXISTS ${root}/${folder})
      continue()
    endif()
    file(GLOB_RECURSE files ${root}/${folder}/*.h ${root}/${folder}/*.cpp ${root}/${folder}/*.hpp)
    list(SORT files)
    foreach(f IN LISTS files)
      file(RELATIVE_PATH rel ${root} ${f})
      if(rel IN_LIST allowed)
        continue()
      endif()
      file(STRINGS ${f} candidates REGEX "${ANY_PATTERN}")
      if(NOT candidates)
        continue()
      endif()
      # Line by line, with the characters CMake lists treat specially
      # stood in for, so that every line is one element and its number
      # stays right.
      file(READ ${f} content)
      string(REPLACE ";" "@SC@" content "${content}")
      string(REPLACE "[" "@LB@" content "${content}")
      string(REPLACE "]" "@RB@" content "${content}")
      string(REPLACE "\\" "@BS@" content "${content}")
      string(REPLACE "\n" ";" lines "${content}")
      set(number 0)
      foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        string(REGEX REPLACE "//.*$" "" code "${line}")
        foreach(pattern IN LISTS RAW_PATTERNS)
          if(code MATCHES "${pattern}" AND (NOT pattern MATCHES "^0x81" OR code MATCHES "[<>]"))
            string(STRIP "${line}" shown)
            list(APPEND found "${rel}:${number}: ${shown}")
            break()
          endif()
        endforeach()
      endforeach()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(SELF_TEST)
  # Plant raw steps in a scratch tree and run the check on it as the test
  # does; it must fail naming exactly the planted lines.
  if(NOT WORK_DIR)
    message(FATAL_ERROR "SELF_TEST needs WORK_DIR")
  endif()
  file(REMOVE_RECURSE ${WORK_DIR})
  file(WRITE ${WORK_DIR}/display/Planted.cpp
    "// A raw step, as isLeadByte(b) ? 2 : 1 in a comment does not count.\n"
    "int f(const unsigned char* p, int i) {\n"
    "    i += sjis::isLeadByte(p[i]) ? 2 : 1;\n"
    "    return i;\n"
    "}\n")
  file(WRITE ${WORK_DIR}/text/Range.h
    "#pragma once\n"
    "inline bool lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }\n")
  file(WRITE ${WORK_DIR}/search/Await.cpp
    "void g(const unsigned char* p, int& i) {\n"
    "    const char* s = \"x;y[\";\n"
    "    if (sjis::awaitsTrail(p[i])) ++i;\n"
    "}\n")
  file(WRITE ${WORK_DIR}/search/Clean.cpp
    "// Walks with sjis::step; isLeadByte( appears only in this comment.\n"
    "int h(const unsigned char* p) { return sjis::step(p) + (p[0] == 0x81 && p[1] == 0x40); }\n")
  file(WRITE ${WORK_DIR}/files/DetectConvert.cpp
    "int d(unsigned char b) { return sjis::isLeadByte(b) ? 2 : 1; }\n")
  set(folders display text search files)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK_DIR} "-DFOLDERS=${folders}" -P ${CMAKE_CURRENT_LIST_FILE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(all "${out}${err}")
  if(rc EQUAL 0)
    message(FATAL_ERROR "The check passed a tree with planted raw steps:\n${all}")
  endif()
  foreach(expected "display/Planted.cpp:3:" "text/Range.h:2:" "search/Await.cpp:3:")
    string(FIND "${all}" "${expected}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "The check did not name ${expected}\n${all}")
    endif()
  endforeach()
  foreach(unexpected "display/Planted.cpp:1:" "search/Clean.cpp" "files/DetectConvert.cpp")
    string(FIND "${all}" "${unexpected}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "The check named ${unexpected}, which holds no raw step or is allowed\n${all}")
    endif()
  endforeach()
  # Without the planted steps the same tree passes.
  file(REMOVE ${WORK_DIR}/display/Planted.cpp ${WORK_DIR}/text/Range.h ${WORK_DIR}/search/Await.cpp)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK_DIR} "-DFOLDERS=${folders}" -P ${CMAKE_CURRENT_LIST_FILE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "The check failed a clean tree:\n${out}${err}")
  endif()
  file(REMOVE_RECURSE ${WORK_DIR})
  message(STATUS "the raw lead-step check fails on planted steps and passes a clean tree")
  return()
endif()

_raw_step_scan("${SOURCE_DIR}" "${FOLDERS}" found)
if(found)
  string(REPLACE ";" "\n" msg "${found}")
  string(REPLACE "@SC@" ";" msg "${msg}")
  string(REPLACE "@LB@" "[" msg "${msg}")
  string(REPLACE "@RB@" "]" msg "${msg}")
  string(REPLACE "@BS@" "\\" msg "${msg}")
  message(FATAL_ERROR
    "Raw Shift JIS lead-byte steps outside common/ (walk with common/codepage/SjisWalk.h: "
    "sjis::step, stepWithin, advance, or a named variant):\n${msg}")
endif()
foreach(entry IN LISTS ALLOWED)
  string(REGEX REPLACE "\\|.*" "" path "${entry}")
  if(NOT EXISTS ${SOURCE_DIR}/${path})
    message(STATUS "allowed file ${path} no longer exists; take it off the list")
  endif()
endforeach()
message(STATUS "no raw lead-byte step outside common/")
