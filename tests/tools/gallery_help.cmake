# `gallery --help` succeeds and names every option the gallery accepts.
# cmake -DGALLERY=<path> -P gallery_help.cmake
execute_process(COMMAND ${GALLERY} --help RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gallery --help exited with ${rc}: ${err}")
endif()
foreach(option --png --screenshot --after --box --headless --help)
  string(FIND "${out}" "${option}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "gallery --help does not name ${option}:\n${out}")
  endif()
endforeach()
