# Keeps the layers: dependencies point down only. Run as a build step
#   cmake -DGW_SOURCE_DIR=<top> -DGW_STAMP=<file> -P CheckLayers.cmake
# and fails, naming every file and include that breaks a rule:
# - core/ includes nothing but core/ and the standard library;
# - model code (the files directly in src/<subsystem>/) includes no Qt header and nothing of a
#   runtime/ or views/ folder, platform/, app/ or tool/;
# - runtime code (src/<subsystem>/runtime/, src/platform/) and gwtool include nothing of views/;
# - link, script, profile, sim, engine and tool include nothing of console/ or windows/; the engine
#   runtime's use of the console's state object is the one exception.
cmake_minimum_required(VERSION 3.25)

set(model_folders core console link engine script profile sim windows)
set(lower_folders core link script profile sim engine tool)
set(console_state_exception "console/runtime/Console.h")

set(problems "")

function(gw_layer_problem file include why)
  set(problems "${problems}\n  ${file}: #include ${include}: ${why}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${GW_SOURCE_DIR} ${GW_SOURCE_DIR}/src/*.h ${GW_SOURCE_DIR}/src/*.cpp)
foreach(file IN LISTS sources)
  string(REGEX MATCH "^src/([^/]+)/(.*)$" _ "${file}")
  set(folder "${CMAKE_MATCH_1}")
  set(rest "${CMAKE_MATCH_2}")
  set(layer "model")
  if(rest MATCHES "^runtime/" OR folder STREQUAL "platform")
    set(layer "runtime")
  elseif(rest MATCHES "^views/")
    set(layer "views")
  elseif(rest MATCHES "/" OR NOT folder IN_LIST model_folders)
    set(layer "other")
  endif()

  file(STRINGS ${GW_SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*\"([^\"]+)\"")
      set(include "\"${CMAKE_MATCH_1}\"")
      set(path "${CMAKE_MATCH_1}")
    elseif(line MATCHES "include[ \t]*<([^>]+)>")
      set(include "<${CMAKE_MATCH_1}>")
      set(path "")
      if(CMAKE_MATCH_1 MATCHES "^Q")
        set(path "Qt")
      endif()
    else()
      continue()
    endif()

    if(folder STREQUAL "core" AND NOT path STREQUAL "" AND NOT path MATCHES "^core/")
      gw_layer_problem(${file} ${include} "core code uses only core and the standard library")
    endif()
    if(layer STREQUAL "model")
      if(path STREQUAL "Qt")
        gw_layer_problem(${file} ${include} "model code uses no Qt")
      elseif(path MATCHES "^[a-z]+/(runtime|views)/" OR path MATCHES "^(platform|app|tool)/")
        gw_layer_problem(${file} ${include} "model code includes only model code")
      endif()
    endif()
    if((layer STREQUAL "runtime" OR folder STREQUAL "tool") AND path MATCHES "^[a-z]+/views/")
      gw_layer_problem(${file} ${include} "runtime code and gwtool include no window")
    endif()
    if(folder IN_LIST lower_folders AND path MATCHES "^(console|windows)/")
      if(NOT (file MATCHES "^src/engine/runtime/" AND path STREQUAL console_state_exception))
        gw_layer_problem(${file} ${include} "only the console and the windows use console/ and windows/")
      endif()
    endif()
  endforeach()
endforeach()

if(NOT problems STREQUAL "")
  message(FATAL_ERROR "Includes that break the layers:${problems}")
endif()
if(GW_STAMP)
  file(TOUCH ${GW_STAMP})
endif()
