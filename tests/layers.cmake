# Fails when a source file includes a folder of ours that its own folder may
# not use. Each folder may include itself and the folders listed for it;
# the list is the program's layering, lowest first:
#   platform <- core <- files, render <- dialogs <- document <- app
# with the renderer library (veride) beside, on core and render, and used by
# the command-line tool (cli) and by app for its live preview.
# Run as: cmake -DROOT=<source folder> -P layers.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_platform "")
set(allowed_core platform)
set(allowed_files core platform)
set(allowed_render core platform)
set(allowed_dialogs files render core platform)
set(allowed_document dialogs files render core platform)
set(allowed_app document dialogs files render veride core platform)
set(allowed_veride render core platform)
set(allowed_cli veride files render core platform)
set(folders platform core files render dialogs document app veride cli)

set(violations "")
foreach(folder IN LISTS folders)
  file(GLOB sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
      if(used STREQUAL folder OR NOT used IN_LIST folders)
        continue()
      endif()
      if(NOT used IN_LIST allowed_${folder})
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        string(APPEND violations "\n  ${name}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "Includes against the layers:${violations}")
endif()
message(STATUS "Every include keeps to the layers.")
