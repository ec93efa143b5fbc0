// Internal to the tree view (TreeView*.cpp): items, per-window state and the
// pieces its files share.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/commctrl/CommCtrlImpl.h"

namespace tv {

struct Node {
  std::string text;
  LPARAM param = 0;
  UINT state = 0;
  int image = 0, selImage = 0;
  int childrenFlag = 0;  // TVIF_CHILDREN: 1 shows a button without children
  Node* parent = nullptr;
  std::vector<Node*> kids;
};

struct Tree {
  HWND hwnd = nullptr;
  std::vector<std::unique_ptr<Node>> owned;
  std::set<const Node*> live;
  Node root;
  Node* sel = nullptr;
  int top = 0;  // first visible row shown
  int indent = 19;
  HFONT font = nullptr;
  bool focus = false;
  bool settingBars = false;
  // Rows of the expanded tree, rebuilt when the shape changes.
  std::vector<Node*> rows;
  bool rowsValid = false;
};

Tree* Get(HWND hwnd);
Node* NodeOf(Tree* t, HTREEITEM h);  // null for a handle that is not an item of t
inline HTREEITEM HandleOf(Node* n) { return reinterpret_cast<HTREEITEM>(n); }
bool HasButton(const Node* n);
bool Expanded(const Node* n);
const std::vector<Node*>& Rows(Tree* t);
int RowOf(Tree* t, const Node* n);  // -1 when hidden in a collapsed branch
void Changed(Tree* t);             // the shape changed: rows, bars, picture

// Geometry, painting and input (TreeViewDraw.cpp).
int RowHeight(Tree* t);
int PerPage(Tree* t);
int Depth(Tree* t, const Node* n);  // columns of indent before the button
RECT TextRect(Tree* t, int row);
HTREEITEM HitTest(Tree* t, POINT p, UINT* flags);
void UpdateBars(Tree* t);
void SetTop(Tree* t, int top);
void EnsureVisible(Tree* t, Node* n);
void Paint(Tree* t);
void OnVScroll(Tree* t, UINT code);
void MouseDown(Tree* t, POINT p, bool dbl);
void KeyDown(Tree* t, UINT vk);

// Changes the parent hears of (TreeView.cpp); false when refused or the
// window went away.
bool Select(Tree* t, Node* n, UINT action);
bool Expand(Tree* t, Node* n, UINT how);

}  // namespace tv
