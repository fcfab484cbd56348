# Starts the editor program offscreen with a file on its command line and
# fresh settings folders, lets it run the exit command once its window is
# up, and checks that it ended cleanly and wrote its settings file.
# Usage: cmake -DORVEX=<program> -DWORK=<folder> -P StartAndQuit.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/config" "${WORK}/data")
file(WRITE "${WORK}/a.txt" "line 1\r\nline 2\r\n")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{XDG_CONFIG_HOME} "${WORK}/config")
set(ENV{XDG_DATA_HOME} "${WORK}/data")
set(ENV{ORVEX_QUIT_AFTER_START} 1)
execute_process(COMMAND "${ORVEX}" "${WORK}/a.txt" RESULT_VARIABLE rc TIMEOUT 60
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "orvex ended with ${rc}\n${out}\n${err}")
endif()
file(GLOB_RECURSE written "${WORK}/config/*settings.ini")
if(NOT written)
  message(FATAL_ERROR "orvex ended without writing settings.ini under ${WORK}/config")
endif()
file(READ "${WORK}/a.txt" after HEX)
if(NOT after STREQUAL "6c696e6520310d0a6c696e6520320d0a")
  message(FATAL_ERROR "the file given on the command line changed")
endif()
