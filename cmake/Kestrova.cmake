# kestrova_library(folder [EXCLUDE regex] [DEPENDS lib...])
# Builds every .cpp below <folder>/ (program entry points excluded: files
# named main.cpp; and paths matching EXCLUDE) into the static library
# kestrova_<folder>.
function(kestrova_library folder)
  cmake_parse_arguments(ARG "" "EXCLUDE" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/${folder}/*.cpp" "${CMAKE_SOURCE_DIR}/${folder}/*.c")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  set(deps)
  foreach(d ${ARG_DEPENDS})
    list(APPEND deps kestrova_${d})
  endforeach()
  if(sources)
    add_library(kestrova_${folder} STATIC ${sources})
    target_include_directories(kestrova_${folder} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(kestrova_${folder} PUBLIC ${deps})
  else()
    add_library(kestrova_${folder} INTERFACE)
    target_include_directories(kestrova_${folder} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(kestrova_${folder} INTERFACE ${deps})
  endif()
endfunction()

# kestrova_tests(folder)
# Every .cpp below tests/<folder>/ makes one test program <folder>_tests,
# linked with the folder's library; its GoogleTest cases are run by CTest.
function(kestrova_tests folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp")
  if(NOT sources)
    return()
  endif()
  file(GLOB support CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/support/*.cpp")
  add_executable(${folder}_tests ${sources} ${support})
  target_link_libraries(${folder}_tests PRIVATE kestrova_${folder} kestrova_testing GTest::gtest GTest::gtest_main
                        GTest::gmock)
  target_include_directories(${folder}_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  # The tests' own code is thin: it is never optimised, which halves its
  # compile time; the code under test keeps its build's optimisation (the
  # Release test run is there for faults that show only in optimised code).
  # Without optimisation gcc cannot bound the numbers a test formats and
  # warns of truncation at every small buffer; the product code still checks.
  target_compile_options(${folder}_tests PRIVATE -O0 -Wno-format-truncation)
  # CTest starts a sanitizer test program once per test: as a position-
  # dependent program it skips two million start-up relocations of its
  # instrumented data, a third of its start-up time.
  if(KESTROVA_SANITIZE)
    target_link_options(${folder}_tests PRIVATE -no-pie)
  endif()
  gtest_discover_tests(${folder}_tests DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "KESTROVA_HEADLESS=1" TIMEOUT 300)
endfunction()
