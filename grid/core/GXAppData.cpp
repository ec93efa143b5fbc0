#include "grid/core/GXAppData.h"

#include <algorithm>

#include "platform/SysColors.h"

CGXAppData::~CGXAppData() { DeleteAutoDeleteObjects(); }

void CGXAppData::DeleteAutoDeleteObjects() {
  // Deleting may register more objects; take the list first.
  auto pending = std::move(autoDelete_);
  autoDelete_.clear();
  for (auto& del : pending) del();
}

void CGXAppData::RegisterGrid(const void* key, CGXGridCore* grid) { registry_[key].push_back(grid); }

void CGXAppData::UnregisterGrid(CGXGridCore* grid) {
  for (auto it = registry_.begin(); it != registry_.end();) {
    auto& grids = it->second;
    grids.erase(std::remove(grids.begin(), grids.end(), grid), grids.end());
    it = grids.empty() ? registry_.erase(it) : std::next(it);
  }
}

CGXGridCore* CGXAppData::LookupFirstGrid(const void* key) const {
  auto it = registry_.find(key);
  return it == registry_.end() || it->second.empty() ? nullptr : it->second.front();
}

CGXAppData* GXGetAppData() {
  static CGXAppData data;
  return &data;
}

CGXGridCore* GXLookupAppEntry(const void* key) { return GXGetAppData()->LookupFirstGrid(key); }

namespace {

struct LibraryText {
  UINT id;
  const char* text;
};

// The library's own string table.
constexpr LibraryText kTexts[] = {
    {20059, "No Border."},
    {20075, "Processing..."},
    {20076, "Done."},
    {20077, "Press ESC to cancel"},
    {20081, "Do you want to abort the operation?"},
    {20082, "Operation is too large for the undo buffer. Do you want to continue?"},
    {20124, "Enter"},
    {20125, "Error "},
    {20126, "No ellipse\nDotted....\nPound###"},
    {20139, "Redoing %1 ..."},
    {20140, "Undoing %1 ..."},
    {20141, "Generating undo information ..."},
    {20142, "Storing cells ...."},
    {20143, "Restoring cells ..."},
    {20144, "Cells."},
    {20145, "Removing rows ..."},
    {20146, "Removing columns ..."},
    {20147, "Copying text format ..."},
    {20148, "Copying internal format ..."},
    {20150, "Cut Data."},
    {20151, "Cutting data ..."},
    {20152, "Pasting data from clipboard..."},
    {20154, "Paste."},
    {20155, "Replacing values ..."},
    {20156, "Replace All"},
    {20157, "Searching values ..."},
    {20162, "Move Rows"},
    {20163, "Move Columns"},
    {20164, "Insert Rows"},
    {20165, "Insert Columns"},
    {20168, "Freeze Columns"},
    {20169, "Freeze Rows"},
    {20172, "Resizing Rows"},
    {20173, "Resizing Columns"},
    {20174, "Current Cell"},
    {20175, "Clipboard size is different from selected range"},
    {20178, "Copy"},
    {20179, "Move"},
    {20180, "Clear Cells"},
    {51005, "Current Cell."},
    {51006, "Invert Thin."},
    {51007, "Invert Thick."},
    {51008, "Thin Border."},
    {51009, "Thick Border."},
    {51022, "Tooltip-Text"},
    {52232, "Grid Lines"},
    {52233, "Fixed Lines"},
    {52234, "Tracking Line"},
    {52235, "Background"},
    {52236, "Dragging Line"},
    {52520, "Header"},
    {52768, "Standard"},
    {52769, "Row Header"},
    {52770, "Column Header"},
    {52792, "Type of ellipses that will be drawn"},
};

}  // namespace

BOOL GXLoadString(UINT id, CString& text) {
  if (text.LoadString(id) && !text.IsEmpty()) return TRUE;
  for (const auto& t : kTexts) {
    if (t.id == id) {
      text = t.text;
      return TRUE;
    }
  }
  text.Empty();
  return FALSE;
}

CString GXGetString(UINT id) {
  CString text;
  GXLoadString(id, text);
  return text;
}

void CGXSysColorCache::Refresh() {
  for (int i = 0; i < 24; ++i) colors_[i] = ::GetSysColor(i);
}

COLORREF CGXSysColorCache::GetColor(int index) const {
  return index >= 0 && index < 24 ? colors_[index] : ::GetSysColor(index);
}

CGXSysColorCache& GXGetSysColorCache() {
  static CGXSysColorCache cache;
  return cache;
}
