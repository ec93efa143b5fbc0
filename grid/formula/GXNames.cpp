#include "grid/formula/GXNames.h"

#include <cctype>
#include <strings.h>

namespace {

constexpr size_t kMaxNameLength = 31;

void Retire(GX_SHEET* s, GX_NAME* record) {
  record->next = s->retiredNames;
  s->retiredNames = record;
}

}  // namespace

bool GXIsValidName(const char* name) {
  if (!name || !*name) return false;
  auto first = static_cast<unsigned char>(name[0]);
  if (!std::isalpha(first) && first != '_' && first != '$') return false;
  for (const char* p = name + 1; *p; ++p) {
    auto c = static_cast<unsigned char>(*p);
    if (!std::isalnum(c) && c != '$' && c != '.' && c != '_') return false;
  }
  return true;
}

int GXDefineName(int sheet, const char* name, const GX_REF& ref) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !name) return 0;
  std::string text(name);
  if (text.size() > kMaxNameLength) text.resize(kMaxNameLength);
  if (!GXIsValidName(text.c_str())) return 0;
  s->modified = 1;
  GX_NAME** link = &s->names;
  for (; *link; link = &(*link)->next) {
    if (strcasecmp((*link)->name.c_str(), text.c_str()) == 0) {
      (*link)->ref = ref;
      return 1;
    }
  }
  GX_NAME* record = new GX_NAME;
  record->name = text;
  record->ref = ref;
  *link = record;
  return 1;
}

GX_NAME* GXFindName(int sheet, const char* name, GX_REF* ref) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !name) return nullptr;
  for (GX_NAME* n = s->names; n; n = n->next) {
    if (strcasecmp(n->name.c_str(), name) == 0) {
      if (ref) *ref = n->ref;
      return n;
    }
  }
  return nullptr;
}

int GXDeleteName(int sheet, const char* name) {
  GX_SHEET* s = GXSheetGet(sheet);
  GX_NAME* record = GXFindName(sheet, name, nullptr);
  if (!record) return 0;
  s->modified = 1;
  // Formulas that used the name keep its reference as plain cells.
  GXDeferScope defer(sheet);
  GX_POOL_ITER it;
  GXPoolIterInit(s->formulas, it);
  while (GX_CELL* cell = GXPoolIterNext(it)) {
    if (!cell->IsLinked() || !cell->code) continue;
    GX_CELL* saved = nullptr;
    for (GX_ITEM& item : cell->code->items) {
      if ((item.kind != GX_ITEM_NAMED_CELL && item.kind != GX_ITEM_NAMED_RANGE) || item.name != record) continue;
      if (s->undoRecording && !saved) saved = GXCellClone(cell);
      item.kind = item.kind == GX_ITEM_NAMED_CELL ? GX_ITEM_CELL : GX_ITEM_RANGE;
      item.ref = record->ref;
      item.name = nullptr;
    }
    if (saved) GXSaveForUndo(sheet, saved);
  }
  GX_NAME** link = &s->names;
  while (*link != record) link = &(*link)->next;
  *link = record->next;
  record->next = nullptr;
  if (s->undoRecording) {
    if (s->savedName) Retire(s, s->savedName);
    s->savedName = record;
  } else {
    Retire(s, record);
  }
  return 1;
}

void GXRestoreName(int sheet, GX_NAME* record) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !record) return;
  if (s->savedName == record) s->savedName = nullptr;
  // A restored record may still sit among the retired ones.
  for (GX_NAME** link = &s->retiredNames; *link; link = &(*link)->next) {
    if (*link == record) {
      *link = record->next;
      break;
    }
  }
  record->next = s->names;
  s->names = record;
  s->modified = 1;
}

void GXFreeNames(int sheet) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return;
  while (GX_NAME* n = s->names) {
    s->names = n->next;
    Retire(s, n);
  }
  if (s->savedName) Retire(s, s->savedName);
  s->savedName = nullptr;
}

std::vector<std::string> GXNamesToText(int sheet) {
  std::vector<std::string> out;
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return out;
  for (GX_NAME* n = s->names; n; n = n->next) {
    const char* ref = GXRefToText(n->ref);
    out.push_back(n->name + "=" + (ref ? ref : ""));
  }
  return out;
}

bool GXNameFromText(const std::string& entry, std::string& name, GX_REF& ref) {
  size_t eq = entry.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  name = entry.substr(0, eq);
  return GXParseRef(entry.substr(eq + 1).c_str(), ref) != 0;
}
