# Checks that includes point one way: between the top folders (each has a
# rank, below), between the platform's own layers, and that production code
# outside the platform never includes the test automation or the SDL host.
# Run by CTest (test "layers"): cmake -DROOT=<source root> -P CheckLayers.cmake
cmake_policy(SET CMP0054 NEW)
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

# The top folders, lowest first: a file includes headers of its own folder
# or of a folder of a lower rank, so folders of one rank stay independent of
# each other. The grid library knows only the platform; reports and exchange
# (with their dialogs) lie below the record screens and the shell that call
# them; the conversion wizard stands beside reports on the store; the
# programs' shell lies above every screen it starts. Tests and benchmarks
# sit above everything and are not checked. Every top folder that holds
# code needs a rank here.
set(folder_ranks
  res       0
  platform  1
  common    2
  grid      2
  store     3
  reports   4
  wizard    4
  exchange  5
  records   6
  registers 7
  app       8
  tools     9
  tests     top
  bench     top)

function(rank_of_folder name out)
  set(list ${folder_ranks})
  set(rank "")
  while(list)
    list(POP_FRONT list f r)
    if(f STREQUAL name)
      set(rank ${r})
      break()
    endif()
  endwhile()
  set(${out} "${rank}" PARENT_SCOPE)
endfunction()

# Folders that hold no code of the system: scripts, documents, CMake helpers
# and build trees.
file(GLOB top_entries RELATIVE ${ROOT} ${ROOT}/*)
set(production "")
foreach(entry ${top_entries})
  if(NOT IS_DIRECTORY ${ROOT}/${entry} OR entry MATCHES "^\\." OR EXISTS ${ROOT}/${entry}/CMakeCache.txt
     OR entry MATCHES "^(cmake|docs|scripts)$")
    continue()
  endif()
  file(GLOB_RECURSE code RELATIVE ${ROOT} ${ROOT}/${entry}/*.h ${ROOT}/${entry}/*.cpp)
  if(NOT code)
    continue()
  endif()
  rank_of_folder(${entry} rank)
  if(rank STREQUAL "")
    string(APPEND faults "${entry}/: a top folder with code but no rank in cmake/CheckLayers.cmake\n")
  elseif(NOT rank STREQUAL "top")
    list(APPEND production ${code})
  endif()
endforeach()

foreach(file ${production})
  string(REGEX REPLACE "/.*" "" folder "${file}")
  rank_of_folder(${folder} rank)
  file(STRINGS ${ROOT}/${file} includes REGEX "^#include \"[A-Za-z_]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    string(REGEX REPLACE "/.*" "" tfolder "${target}")
    if(tfolder STREQUAL folder)
      continue()
    endif()
    rank_of_folder(${tfolder} trank)
    if(trank STREQUAL "" OR trank STREQUAL "top")
      string(APPEND faults "${file}: includes ${target}, which is in no layer\n")
    elseif(NOT trank LESS rank)
      string(APPEND faults "${file}: includes ${target} of ${tfolder}/, which is not below ${folder}/\n")
    endif()
  endforeach()
  # The platform and the developer tools (the gallery drives the test
  # automation) are exempt.
  if(folder MATCHES "^(platform|tools)$")
    continue()
  endif()
  file(STRINGS ${ROOT}/${file} includes REGEX "^#include \"platform/(testing|host/sdl)/")
  foreach(line ${includes})
    # Only a program's entry point chooses the SDL host.
    if(line MATCHES "host/sdl/" AND file MATCHES "/main\\.cpp$")
      continue()
    endif()
    string(APPEND faults "${file}: production code includes ${line}\n")
  endforeach()
endforeach()

# Within the store, the record writers and the record layouts lie below the
# journal of store operations and the integrity check, which read records
# back: the writers tell the journal of a write only through the observer
# of store/RecordWrites.h.
file(GLOB writers RELATIVE ${ROOT} ${ROOT}/store/RecIO.* ${ROOT}/store/RecordWrites.* ${ROOT}/store/AcctGroup.*
     ${ROOT}/store/Records.* ${ROOT}/store/MemberRecordCodec.* ${ROOT}/store/TextCompare.*)
foreach(file ${writers})
  file(STRINGS ${ROOT}/${file} includes REGEX "^#include \"store/(StoreUndo|Integrity)")
  foreach(line ${includes})
    string(APPEND faults "${file}: a record writer includes ${line}; it notes writes through store/RecordWrites.h\n")
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the layers:\n${faults}")
endif()
message(STATUS "Includes point one way")
