#include "platform/menus/Menu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "platform/dialogs/DlgResourceText.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/menus/MenuImpl.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

std::set<HMENU>& live() {
  static std::set<HMENU> s;
  return s;
}

CMenu* menuFromHandle(HMENU h) { return CMenu::FromHandle(h); }

// CWnd's handlers receive menus as objects through this hook.
const bool hooked = [] {
  AfxMenuFromHandle = menuFromHandle;
  return true;
}();

HMENU newMenu(bool popup) {
  (void)hooked;
  auto* m = new MenuImpl;
  m->popup = popup;
  live().insert(m);
  return m;
}

bool setItem(MenuItemRec& item, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR | MF_MENUBARBREAK |
                        MF_MENUBREAK | MF_HILITE | MF_DEFAULT | MF_HELP | MF_BITMAP);
  if (flags & MF_POPUP) {
    item.sub = reinterpret_cast<HMENU>(idOrPopup);
    if (!menus::Get(item.sub)) return false;
    item.sub->popup = true;
    item.id = 0;
  } else {
    item.sub = nullptr;
    item.id = static_cast<UINT>(idOrPopup);
  }
  item.text = (flags & MF_SEPARATOR) || !text || (flags & MF_BITMAP) ? "" : text;
  return true;
}

// ---- Resources -------------------------------------------------------------

struct MenuTemplateItem {
  UINT flags = 0;
  UINT id = 0;
  std::string text;
  std::vector<MenuTemplateItem> children;
};

struct MenuTemplate {
  int id = 0;
  std::string name;
  std::vector<MenuTemplateItem> items;
};

struct AccelTemplate {
  int id = 0;
  std::string name;
  std::vector<ACCEL> entries;
};

struct Resources {
  std::vector<MenuTemplate> menus;
  std::vector<AccelTemplate> accels;
};

// A key as written in an accelerator table: modifiers joined by "+" in
// front of a key name, e.g. "Ctrl+Shift+Del".
bool parseKey(const std::string& keyText, ACCEL* out) {
  std::string s = keyText;
  BYTE virt = FVIRTKEY;
  for (;;) {
    size_t plus = s.find('+');
    if (plus == std::string::npos || plus + 1 >= s.size()) break;
    std::string mod = s.substr(0, plus);
    if (mod == "Ctrl") virt |= FCONTROL;
    else if (mod == "Shift") virt |= FSHIFT;
    else if (mod == "Alt") virt |= FALT;
    else return false;
    s = s.substr(plus + 1);
  }
  static const std::map<std::string, WORD> names = {
      {"Del", VK_DELETE},  {"Delete", VK_DELETE}, {"Ins", VK_INSERT}, {"Insert", VK_INSERT}, {"Home", VK_HOME},
      {"End", VK_END},     {"PgUp", VK_PRIOR},    {"PgDn", VK_NEXT},  {"Left", VK_LEFT},     {"Right", VK_RIGHT},
      {"Up", VK_UP},       {"Down", VK_DOWN},     {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},  {"Tab", VK_TAB},
      {"Space", VK_SPACE}, {"Back", VK_BACK}};
  WORD key = 0;
  if (auto it = names.find(s); it != names.end()) key = it->second;
  else if (s.size() == 1 && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= '0' && s[0] <= '9'))) key = static_cast<WORD>(s[0]);
  else if (s.size() == 1 && s[0] >= 'a' && s[0] <= 'z') key = static_cast<WORD>(s[0] - 'a' + 'A');
  else if (s.size() >= 2 && s[0] == 'F') {
    int n = std::atoi(s.c_str() + 1);
    if (n < 1 || n > 24) return false;
    key = static_cast<WORD>(VK_F1 + n - 1);
  } else {
    return false;
  }
  out->fVirt = virt;
  out->key = key;
  return true;
}

struct ResParser : ResTextReader {
  enum { None, InMenu, InAccel } mode = None;
  std::vector<std::vector<MenuTemplateItem>*> stack;

  bool parse(std::string_view text, Resources* out) {
    // A final newline ends the last line here; it does not start an empty one.
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (!forEachStatement(text, [&](const std::vector<ResToken>& t) { return statement(t, out); })) return false;
    if (mode != None) return fail("\"end\" is missing");
    return true;
  }

  bool statement(const std::vector<ResToken>& t, Resources* out) {
    const std::string& key = t[0].text;
    if (mode == None) {
      if (key == "menu") {
        out->menus.emplace_back();
        ParseResourceHeader(t, &out->menus.back().id, &out->menus.back().name);
        stack = {&out->menus.back().items};
        mode = InMenu;
      } else if (key == "accelerators") {
        out->accels.emplace_back();
        ParseResourceHeader(t, &out->accels.back().id, &out->accels.back().name);
        mode = InAccel;
      } else {
        return fail("\"menu\" or \"accelerators\" was expected, not " + key);
      }
      return true;
    }
    if (key == "end") {
      if (mode == InMenu && stack.size() > 1) stack.pop_back();
      else mode = None, stack.clear();
      return true;
    }
    if (mode == InAccel) {
      if (key != "key" || t.size() != 3 || !t[1].quoted) return fail("key \"Ctrl+X\" command was expected");
      ACCEL a{};
      if (!parseKey(t[1].text, &a)) return fail("unknown key " + t[1].text);
      int cmd;
      if (!ParseResourceId(t[2], &cmd)) return fail("unknown command " + t[2].text);
      a.cmd = static_cast<WORD>(cmd);
      out->accels.back().entries.push_back(a);
      return true;
    }
    MenuTemplateItem item;
    size_t flagsFrom = 0;
    if (key == "separator") {
      item.flags = MF_SEPARATOR;
      flagsFrom = 1;
    } else if (key == "popup") {
      if (t.size() < 2 || !t[1].quoted) return fail("popup \"text\" was expected");
      item.flags = MF_POPUP;
      item.text = t[1].text;
      flagsFrom = 2;
    } else if (key == "item") {
      if (t.size() < 3 || !t[1].quoted) return fail("item \"text\" command was expected");
      item.text = t[1].text;
      int id;
      if (!ParseResourceId(t[2], &id)) return fail("unknown command " + t[2].text);
      item.id = static_cast<UINT>(id);
      flagsFrom = 3;
    } else {
      return fail("unknown statement " + key);
    }
    for (size_t i = flagsFrom; i < t.size(); ++i) {
      const std::string& f = t[i].text;
      if (f == "checked") item.flags |= MF_CHECKED;
      else if (f == "grayed") item.flags |= MF_GRAYED;
      else if (f == "disabled") item.flags |= MF_DISABLED;
      else if (f == "break") item.flags |= MF_MENUBREAK;
      else if (f == "barbreak") item.flags |= MF_MENUBARBREAK;
      else if (f == "help") item.flags |= MF_HELP;
      else return fail("unknown item flag " + f);
    }
    stack.back()->push_back(std::move(item));
    if (key == "popup") stack.push_back(&stack.back()->back().children);
    return true;
  }
};

Resources& resources() {
  static Resources r = [] {
    Resources all;
    for (const platform::EmbeddedText& e : platform::EmbeddedResourceTexts()) {
      if (!std::string_view(e.path).ends_with(".mnu")) continue;
      ResParser p;
      p.origin = e.path;
      Resources one;
      if (!p.parse(e.text(), &one)) {
        std::fprintf(stderr, "menu resources: %s\n", p.error.c_str());
        continue;
      }
      for (auto& m : one.menus) all.menus.push_back(std::move(m));
      for (auto& a : one.accels) all.accels.push_back(std::move(a));
    }
    return all;
  }();
  return r;
}

template <typename T>
const T* findByName(const std::vector<T>& list, LPCSTR name) {
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    for (const T& t : list)
      if (t.id == id) return &t;
    return nullptr;
  }
  for (const T& t : list)
    if (t.name == name) return &t;
  return nullptr;
}

void build(HMENU menu, const std::vector<MenuTemplateItem>& items) {
  for (const MenuTemplateItem& it : items) {
    if (it.flags & MF_POPUP) {
      HMENU sub = CreatePopupMenu();
      build(sub, it.children);
      AppendMenu(menu, it.flags, reinterpret_cast<UINT_PTR>(sub), it.text.c_str());
    } else {
      AppendMenu(menu, it.flags, it.id, it.text.c_str());
    }
  }
}

}  // namespace

// ---- Internals ------------------------------------------------------------------

namespace menus {

MenuImpl* Get(HMENU menu) { return menu && live().count(menu) ? menu : nullptr; }

MenuItemRec* Find(HMENU menu, UINT item, UINT flags, HMENU* holder, size_t* index) {
  MenuImpl* m = Get(menu);
  if (!m) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return nullptr;
    if (holder) *holder = menu;
    if (index) *index = item;
    return &m->items[item];
  }
  for (size_t i = 0; i < m->items.size(); ++i) {
    MenuItemRec& r = m->items[i];
    if (!(r.flags & MF_POPUP) && !(r.flags & MF_SEPARATOR) && r.id == item) {
      if (holder) *holder = menu;
      if (index) *index = i;
      return &r;
    }
  }
  for (MenuItemRec& r : m->items)
    if (r.flags & MF_POPUP)
      if (MenuItemRec* found = Find(r.sub, item, flags, holder, index)) return found;
  return nullptr;
}

unsigned char AccessKey(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    unsigned char c = static_cast<unsigned char>(text[i + 1]);
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    return c;
  }
  return 0;
}

HMENU LoadMenuResource(LPCSTR name) {
  const MenuTemplate* t = findByName(resources().menus, name);
  if (!t) return nullptr;
  HMENU m = CreateMenu();
  build(m, t->items);
  return m;
}

const std::vector<ACCEL>* FindAccelResource(LPCSTR name) {
  const AccelTemplate* t = findByName(resources().accels, name);
  return t ? &t->entries : nullptr;
}

bool CheckResourceText(std::string_view text, const std::string& origin, std::string* error) {
  ResParser p;
  p.origin = origin;
  Resources parsed;
  if (!p.parse(text, &parsed)) {
    if (error) *error = p.error;
    return false;
  }
  for (const MenuTemplate& t : parsed.menus) {
    HMENU m = CreateMenu();
    build(m, t.items);
    DestroyMenu(m);
  }
  return true;
}

}  // namespace menus

// ---- Menu functions ---------------------------------------------------------------

HMENU CreateMenu() { return newMenu(false); }
HMENU CreatePopupMenu() { return newMenu(true); }
BOOL IsMenu(HMENU menu) { return menus::Get(menu) != nullptr; }

BOOL DestroyMenu(HMENU menu) {
  MenuImpl* m = menus::Get(menu);
  if (!m) return FALSE;
  live().erase(m);
  for (MenuItemRec& r : m->items)
    if (r.flags & MF_POPUP) DestroyMenu(r.sub);
  if (m->object) m->object->m_hMenu = nullptr;
  if (m->temp) {
    m->temp->m_hMenu = nullptr;
    delete m->temp;
  }
  delete m;
  return TRUE;
}

HMENU LoadMenu(HINSTANCE, LPCSTR name) { return menus::LoadMenuResource(name); }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  MenuImpl* m = menus::Get(menu);
  if (!m) return FALSE;
  MenuItemRec item;
  if (!setItem(item, flags, idOrPopup, text)) return FALSE;
  m->items.push_back(std::move(item));
  return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  MenuImpl* m = menus::Get(menu);
  if (!m) return FALSE;
  MenuItemRec item;
  if (!setItem(item, flags, idOrPopup, text)) return FALSE;
  HMENU holder = menu;
  size_t index = m->items.size();
  if (flags & MF_BYPOSITION) {
    index = std::min<size_t>(position, m->items.size());  // (UINT)-1 appends
  } else if (!menus::Find(menu, position, MF_BYCOMMAND, &holder, &index)) {
    return FALSE;
  }
  holder->items.insert(holder->items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  MenuItemRec* r = menus::Find(menu, position, flags);
  if (!r) return FALSE;
  HMENU oldSub = (r->flags & MF_POPUP) ? r->sub : nullptr;
  MenuItemRec item;
  if (!setItem(item, flags, idOrPopup, text)) return FALSE;
  *r = std::move(item);
  if (oldSub && oldSub != r->sub) DestroyMenu(oldSub);  // the replaced pop-up goes with its item
  return TRUE;
}

namespace {
BOOL removeItem(HMENU menu, UINT position, UINT flags, bool destroy) {
  HMENU holder = nullptr;
  size_t index = 0;
  MenuItemRec* r = menus::Find(menu, position, flags, &holder, &index);
  if (!r) return FALSE;
  HMENU sub = (r->flags & MF_POPUP) ? r->sub : nullptr;
  holder->items.erase(holder->items.begin() + static_cast<std::ptrdiff_t>(index));
  if (destroy && sub) DestroyMenu(sub);
  return TRUE;
}
}  // namespace

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, false); }

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  MenuItemRec* r = menus::Find(menu, item, flags);
  if (!r) return static_cast<DWORD>(-1);
  DWORD old = r->flags & MF_CHECKED;
  r->flags = (r->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  MenuItemRec* r = menus::Find(menu, item, flags);
  if (!r) return static_cast<UINT>(-1);
  UINT old = r->flags & (MF_GRAYED | MF_DISABLED);
  r->flags = (r->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  BOOL found = FALSE;
  for (UINT i = first; i <= last; ++i) {
    MenuItemRec* r = menus::Find(menu, i, flags);
    if (!r) continue;
    if (i == check) found = TRUE;
    r->flags = (r->flags & ~MF_CHECKED) | (i == check ? MF_CHECKED : 0);
  }
  return found;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuItemRec* r = menus::Find(menu, item, flags);
  if (!r) return static_cast<UINT>(-1);
  if (r->flags & MF_POPUP) {
    MenuImpl* sub = menus::Get(r->sub);
    UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
    return (r->flags & 0xFFu) | MF_POPUP | (count << 8);
  }
  return r->flags;
}

HMENU GetSubMenu(HMENU menu, int position) {
  MenuImpl* m = menus::Get(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return nullptr;
  const MenuItemRec& r = m->items[static_cast<size_t>(position)];
  return (r.flags & MF_POPUP) ? r.sub : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  MenuImpl* m = menus::Get(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuImpl* m = menus::Get(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return static_cast<UINT>(-1);
  const MenuItemRec& r = m->items[static_cast<size_t>(position)];
  if (r.flags & MF_POPUP) return static_cast<UINT>(-1);
  return (r.flags & MF_SEPARATOR) ? 0 : r.id;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags) {
  MenuItemRec* r = menus::Find(menu, item, flags);
  if (!r) {
    if (buffer && maxCount > 0) buffer[0] = 0;
    return 0;
  }
  int n = static_cast<int>(r->text.size());
  if (!buffer || maxCount <= 0) return n;
  n = std::min(n, maxCount - 1);
  std::memcpy(buffer, r->text.data(), static_cast<size_t>(n));
  buffer[n] = 0;
  return n;
}

// ---- Accelerators -------------------------------------------------------------

HACCEL CreateAcceleratorTable(LPACCEL accels, int count) {
  if (!accels || count <= 0) return nullptr;
  auto* a = new AccelImpl;
  a->entries.assign(accels, accels + count);
  return a;
}

HACCEL LoadAccelerators(HINSTANCE, LPCSTR name) {
  // One table per resource, kept for the whole run as the resource was.
  static auto* loaded = new std::map<const std::vector<ACCEL>*, HACCEL>;
  const std::vector<ACCEL>* entries = menus::FindAccelResource(name);
  if (!entries || entries->empty()) return nullptr;
  HACCEL& h = (*loaded)[entries];
  if (!h) h = CreateAcceleratorTable(const_cast<ACCEL*>(entries->data()), static_cast<int>(entries->size()));
  return h;
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  delete table;
  return table != nullptr;
}

int CopyAcceleratorTable(HACCEL table, LPACCEL out, int count) {
  if (!table) return 0;
  int n = static_cast<int>(table->entries.size());
  if (!out) return n;
  n = std::min(n, count);
  std::copy(table->entries.begin(), table->entries.begin() + n, out);
  return n;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg) {
  if (!hwnd || !table || !msg) return 0;
  bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool chr = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!key && !chr) return 0;
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  bool alt = msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSCHAR || GetKeyState(VK_MENU) < 0;
  for (const ACCEL& a : table->entries) {
    bool virt = (a.fVirt & FVIRTKEY) != 0;
    if (virt != key) continue;
    if (a.key != (msg->wParam & 0xFFFF)) continue;
    if (virt && (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != ctrl)) continue;
    if (((a.fVirt & FALT) != 0) != alt) continue;
    // A command whose menu item is disabled takes the key and does nothing.
    if (HMENU bar = GetMenu(hwnd)) {
      if (MenuItemRec* r = menus::Find(bar, a.cmd, MF_BYCOMMAND); r && (r->flags & (MF_GRAYED | MF_DISABLED)))
        return 1;
    }
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}

// ---- CMenu --------------------------------------------------------------------

CMenu::~CMenu() {
  if (m_hMenu) {
    HMENU h = m_hMenu;
    if (MenuImpl* m = menus::Get(h); m && m->object == this) m->object = nullptr;
    m_hMenu = nullptr;
    ::DestroyMenu(h);
  }
}

CMenu* CMenu::FromHandle(HMENU menu) {
  MenuImpl* m = menus::Get(menu);
  if (!m) return nullptr;
  if (m->object) return m->object;
  if (!m->temp) {
    m->temp = new CMenu;
    m->temp->m_hMenu = menu;
  }
  return m->temp;
}

BOOL CMenu::Attach(HMENU menu) {
  MenuImpl* m = menus::Get(menu);
  if (!m || m_hMenu) return FALSE;
  m_hMenu = menu;
  m->object = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (MenuImpl* m = menus::Get(h); m && m->object == this) m->object = nullptr;
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT id) { return Attach(::LoadMenu(nullptr, MAKEINTRESOURCE(id))); }
BOOL CMenu::LoadMenu(LPCTSTR name) { return Attach(::LoadMenu(nullptr, name)); }
BOOL CMenu::DestroyMenu() {
  HMENU h = Detach();
  return h ? ::DestroyMenu(h) : FALSE;
}
BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) { return ::AppendMenu(m_hMenu, flags, id, text); }
BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text) {
  return ::InsertMenu(m_hMenu, position, flags, id, text);
}
BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text) {
  return ::ModifyMenu(m_hMenu, position, flags, id, text);
}
BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
UINT CMenu::CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
UINT CMenu::EnableMenuItem(UINT item, UINT flags) { return ::EnableMenuItem(m_hMenu, item, flags); }
BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) {
  return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
}
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
int CMenu::GetMenuString(UINT item, LPTSTR buffer, int maxCount, UINT flags) const {
  return ::GetMenuString(m_hMenu, item, buffer, maxCount, flags);
}
int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  MenuItemRec* r = menus::Find(m_hMenu, item, flags);
  text = r ? r->text.c_str() : "";
  return text.GetLength();
}
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
}
