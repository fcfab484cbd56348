# Installs the build into a scratch prefix and starts the installed program
# the way its desktop entry does: the entry names a program that is there,
# the icon is installed, the program finds its run-time libraries from the
# prefix alone and ends cleanly.
# Usage: cmake -DBUILD=<build folder> -DWORK=<folder> -DSTART=<StartAndQuit.cmake> -P InstallAndStart.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${WORK}/prefix"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${out}\n${err}")
endif()
set(entry "${WORK}/prefix/share/applications/orvex.desktop")
if(NOT EXISTS "${entry}")
  message(FATAL_ERROR "no desktop entry at ${entry}")
endif()
file(STRINGS "${entry}" exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" program "${exec}")
if(NOT EXISTS "${WORK}/prefix/bin/${program}")
  message(FATAL_ERROR "the desktop entry runs '${program}', which is not in ${WORK}/prefix/bin")
endif()
foreach(f lib/liborxwin.so lib/liborxview.so share/icons/hicolor/scalable/apps/orvex.svg share/man/man1/orvex.1 share/icons/hicolor/48x48/apps/orvex.png)
  if(NOT EXISTS "${WORK}/prefix/${f}")
    message(FATAL_ERROR "${f} was not installed")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -DORVEX=${WORK}/prefix/bin/${program} -DWORK=${WORK}/run -P "${START}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed program did not start and end cleanly:\n${out}\n${err}")
endif()
