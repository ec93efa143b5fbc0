# Checks that includes point one way: a file of the platform layer includes
# only headers of its own folder or of a lower layer, and production code
# outside the platform never includes the test automation or the SDL host.
# Run by CTest (test "layers"): cmake -DROOT=<source root> -P CheckLayers.cmake
#
# The platform's layers, lowest first. A path matches the first pattern that
# fits; the core of the framework (CCmdTarget, CWnd, CWinApp, window DCs)
# lies below the controls and dialogs built on it, while frames, views,
# documents and control bars, which use menus and common controls, lie above.
# The printers and printer DCs lie below the common dialogs, whose print
# dialog lists the printers and makes their DCs.
set(layers
  "^platform/base/"                                  0
  "^platform/host/sdl/"                              1
  "^platform/host/"                                  1
  "^platform/gfx/"                                   2
  "^platform/window/"                                3
  "^platform/framework/(CCmdTarget|CWnd|CWinApp|WindowDc)[A-Za-z]*\\.(h|cpp)$" 4
  "^platform/controls/"                              5
  "^platform/dialogs/"                               6
  "^platform/menus/"                                 7
  "^platform/shell/"                                 8
  "^platform/commctrl/"                              9
  "^platform/propsheet/"                             10
  "^platform/print/"                                 11
  "^platform/commdlg/"                               12
  "^platform/framework/"                             13
  "^platform/testing/"                               14
  "^platform/[^/]+$"                                 15)

function(layer_of path out_rank out_folder)
  set(rank "")
  set(folder "")
  set(list ${layers})
  while(list)
    list(POP_FRONT list pattern r)
    if(path MATCHES "${pattern}")
      set(rank ${r})
      string(REGEX REPLACE "/[^/]+$" "" folder "${path}")
      break()
    endif()
  endwhile()
  set(${out_rank} "${rank}" PARENT_SCOPE)
  set(${out_folder} "${folder}" PARENT_SCOPE)
endfunction()

set(faults "")
file(GLOB_RECURSE platform_files RELATIVE ${ROOT} ${ROOT}/platform/*.h ${ROOT}/platform/*.cpp)
foreach(file ${platform_files})
  layer_of(${file} rank folder)
  if(rank STREQUAL "")
    string(APPEND faults "${file}: in no layer\n")
    continue()
  endif()
  file(STRINGS ${ROOT}/${file} includes REGEX "^#include \"platform/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    layer_of(${target} trank tfolder)
    if(trank STREQUAL "")
      string(APPEND faults "${file}: includes ${target}, which is in no layer\n")
    elseif(file MATCHES "^platform/host/sdl/")
      # The SDL host sees the window layer only through the host seam.
      if(NOT target MATCHES "^platform/(base|host)/")
        string(APPEND faults "${file}: includes ${target}; the SDL host knows only base/ and host/\n")
      endif()
    elseif(trank GREATER rank OR (trank EQUAL rank AND NOT tfolder STREQUAL folder))
      string(APPEND faults "${file}: includes ${target} of a higher layer\n")
    endif()
  endforeach()
endforeach()

file(GLOB_RECURSE production RELATIVE ${ROOT} ${ROOT}/common/*.h ${ROOT}/common/*.cpp
     ${ROOT}/store/*.h ${ROOT}/store/*.cpp ${ROOT}/reports/*.h ${ROOT}/reports/*.cpp
     ${ROOT}/grid/*.h ${ROOT}/grid/*.cpp ${ROOT}/app/*.h ${ROOT}/app/*.cpp
     ${ROOT}/records/*.h ${ROOT}/records/*.cpp ${ROOT}/registers/*.h ${ROOT}/registers/*.cpp
     ${ROOT}/exchange/*.h ${ROOT}/exchange/*.cpp ${ROOT}/wizard/*.h ${ROOT}/wizard/*.cpp)
foreach(file ${production})
  file(STRINGS ${ROOT}/${file} includes REGEX "^#include \"platform/(testing|host/sdl)/")
  foreach(line ${includes})
    # Only a program's entry point chooses the SDL host.
    if(line MATCHES "host/sdl/" AND file MATCHES "/main\\.cpp$")
      continue()
    endif()
    string(APPEND faults "${file}: production code includes ${line}\n")
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the layers:\n${faults}")
endif()
message(STATUS "Includes point one way")
