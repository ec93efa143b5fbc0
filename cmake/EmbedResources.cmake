# cmake -DROOT=<source root> -DFILES=<abs1,abs2,...> -DOUT=<file.cpp> -P EmbedResources.cmake
# Writes a C++ file that holds the text of each given resource file (dialog
# templates, menus, the symbol header) under its path relative to ROOT, so
# that the program carries its own templates and needs no files beside it.
string(REPLACE "," ";" files "${FILES}")
set(decls "")
set(table "")
set(n 0)
foreach(f IN LISTS files)
  if(f STREQUAL "")
    continue()
  endif()
  file(RELATIVE_PATH rel "${ROOT}" "${f}")
  file(READ "${f}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND decls "static const unsigned char kData${n}[] = {${bytes}0};\n")
  string(APPEND table "    {\"${rel}\", reinterpret_cast<const char*>(kData${n}), ${size}},\n")
  math(EXPR n "${n} + 1")
endforeach()
set(text "// Generated from the resource folder by cmake/EmbedResources.cmake. Do not edit.
#include \"platform/dialogs/DlgResourceText.h\"

namespace {
${decls}}  // namespace

namespace platform {
const std::vector<EmbeddedText>& EmbeddedResourceTexts() {
  static const std::vector<EmbeddedText> texts = {
${table}  };
  return texts;
}
}  // namespace platform
")
file(WRITE "${OUT}.tmp" "${text}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
