#include "platform/dialogs/DlgTemplate.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/base/Codepage.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/DlgResourceText.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/Messages.h"

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool parseNumber(std::string_view s, long long* value) {
  if (s.empty()) return false;
  std::string str(s);
  char* end = nullptr;
  long long v = std::strtoll(str.c_str(), &end, 0);
  if (!end || *end) return false;
  *value = v;
  return true;
}

// ---- Symbols ---------------------------------------------------------------

std::map<std::string, int>& symbols() {
  static std::map<std::string, int> table = [] {
    std::map<std::string, int> t = {{"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
                                    {"IDRETRY", IDRETRY},   {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},
                                    {"IDNO", IDNO},         {"IDCLOSE", IDCLOSE},   {"IDHELP", IDHELP},
                                    {"IDC_STATIC", IDC_STATIC}};
    for (const platform::EmbeddedText& e : platform::EmbeddedResourceTexts()) {
      if (!std::string_view(e.path).ends_with(".h")) continue;
      std::string_view text = e.text();
      size_t pos = 0;
      while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string line(text.substr(pos, eol - pos));
        pos = eol + 1;
        char name[128];
        char value[64];
        if (std::sscanf(line.c_str(), " #define %127s %63s", name, value) == 2) {
          long long v;
          if (parseNumber(value, &v)) t[name] = static_cast<int>(v);
        }
      }
    }
    return t;
  }();
  return table;
}

// ---- Style words -----------------------------------------------------------

#define STYLE(x) {#x, static_cast<DWORD>(x)}
const std::map<std::string, DWORD>& styleNames() {
  static const std::map<std::string, DWORD> table = {
      STYLE(WS_OVERLAPPED), STYLE(WS_POPUP), STYLE(WS_CHILD), STYLE(WS_MINIMIZE), STYLE(WS_VISIBLE),
      STYLE(WS_DISABLED), STYLE(WS_CLIPSIBLINGS), STYLE(WS_CLIPCHILDREN), STYLE(WS_MAXIMIZE), STYLE(WS_CAPTION),
      STYLE(WS_BORDER), STYLE(WS_DLGFRAME), STYLE(WS_VSCROLL), STYLE(WS_HSCROLL), STYLE(WS_SYSMENU),
      STYLE(WS_THICKFRAME), STYLE(WS_GROUP), STYLE(WS_TABSTOP), STYLE(WS_MINIMIZEBOX), STYLE(WS_MAXIMIZEBOX),
      STYLE(WS_SIZEBOX), STYLE(WS_OVERLAPPEDWINDOW), STYLE(WS_POPUPWINDOW),
      STYLE(WS_EX_DLGMODALFRAME), STYLE(WS_EX_NOPARENTNOTIFY), STYLE(WS_EX_TOPMOST), STYLE(WS_EX_TRANSPARENT),
      STYLE(WS_EX_TOOLWINDOW), STYLE(WS_EX_WINDOWEDGE), STYLE(WS_EX_CLIENTEDGE), STYLE(WS_EX_CONTEXTHELP),
      STYLE(WS_EX_RIGHT), STYLE(WS_EX_CONTROLPARENT), STYLE(WS_EX_STATICEDGE), STYLE(WS_EX_APPWINDOW),
      STYLE(DS_ABSALIGN), STYLE(DS_SYSMODAL), STYLE(DS_3DLOOK), STYLE(DS_FIXEDSYS), STYLE(DS_NOFAILCREATE),
      STYLE(DS_LOCALEDIT), STYLE(DS_SETFONT), STYLE(DS_MODALFRAME), STYLE(DS_NOIDLEMSG), STYLE(DS_SETFOREGROUND),
      STYLE(DS_CONTROL), STYLE(DS_CENTER), STYLE(DS_CENTERMOUSE), STYLE(DS_CONTEXTHELP),
      STYLE(ES_LEFT), STYLE(ES_CENTER), STYLE(ES_RIGHT), STYLE(ES_MULTILINE), STYLE(ES_UPPERCASE),
      STYLE(ES_LOWERCASE), STYLE(ES_PASSWORD), STYLE(ES_AUTOVSCROLL), STYLE(ES_AUTOHSCROLL), STYLE(ES_NOHIDESEL),
      STYLE(ES_OEMCONVERT), STYLE(ES_READONLY), STYLE(ES_WANTRETURN), STYLE(ES_NUMBER),
      STYLE(BS_PUSHBUTTON), STYLE(BS_DEFPUSHBUTTON), STYLE(BS_CHECKBOX), STYLE(BS_AUTOCHECKBOX),
      STYLE(BS_RADIOBUTTON), STYLE(BS_3STATE), STYLE(BS_AUTO3STATE), STYLE(BS_GROUPBOX), STYLE(BS_USERBUTTON),
      STYLE(BS_AUTORADIOBUTTON), STYLE(BS_OWNERDRAW), STYLE(BS_LEFTTEXT), STYLE(BS_RIGHTBUTTON), STYLE(BS_TEXT),
      STYLE(BS_ICON), STYLE(BS_BITMAP), STYLE(BS_LEFT), STYLE(BS_RIGHT), STYLE(BS_CENTER), STYLE(BS_TOP),
      STYLE(BS_BOTTOM), STYLE(BS_VCENTER), STYLE(BS_PUSHLIKE), STYLE(BS_MULTILINE), STYLE(BS_NOTIFY),
      STYLE(BS_FLAT),
      STYLE(SS_LEFT), STYLE(SS_CENTER), STYLE(SS_RIGHT), STYLE(SS_ICON), STYLE(SS_BLACKRECT), STYLE(SS_GRAYRECT),
      STYLE(SS_WHITERECT), STYLE(SS_BLACKFRAME), STYLE(SS_GRAYFRAME), STYLE(SS_WHITEFRAME), STYLE(SS_USERITEM),
      STYLE(SS_SIMPLE), STYLE(SS_LEFTNOWORDWRAP), STYLE(SS_OWNERDRAW), STYLE(SS_BITMAP), STYLE(SS_ETCHEDHORZ),
      STYLE(SS_ETCHEDVERT), STYLE(SS_ETCHEDFRAME), STYLE(SS_NOPREFIX), STYLE(SS_NOTIFY), STYLE(SS_CENTERIMAGE),
      STYLE(SS_RIGHTJUST), STYLE(SS_REALSIZEIMAGE), STYLE(SS_SUNKEN), STYLE(SS_ENDELLIPSIS), STYLE(SS_PATHELLIPSIS),
      STYLE(LBS_NOTIFY), STYLE(LBS_SORT), STYLE(LBS_NOREDRAW), STYLE(LBS_MULTIPLESEL), STYLE(LBS_OWNERDRAWFIXED),
      STYLE(LBS_OWNERDRAWVARIABLE), STYLE(LBS_HASSTRINGS), STYLE(LBS_USETABSTOPS), STYLE(LBS_NOINTEGRALHEIGHT),
      STYLE(LBS_MULTICOLUMN), STYLE(LBS_WANTKEYBOARDINPUT), STYLE(LBS_EXTENDEDSEL), STYLE(LBS_DISABLENOSCROLL),
      STYLE(LBS_NODATA), STYLE(LBS_NOSEL), STYLE(LBS_STANDARD),
      STYLE(CBS_SIMPLE), STYLE(CBS_DROPDOWN), STYLE(CBS_DROPDOWNLIST), STYLE(CBS_OWNERDRAWFIXED),
      STYLE(CBS_OWNERDRAWVARIABLE), STYLE(CBS_AUTOHSCROLL), STYLE(CBS_OEMCONVERT), STYLE(CBS_SORT),
      STYLE(CBS_HASSTRINGS), STYLE(CBS_NOINTEGRALHEIGHT), STYLE(CBS_DISABLENOSCROLL), STYLE(CBS_UPPERCASE),
      STYLE(CBS_LOWERCASE),
      STYLE(SBS_HORZ), STYLE(SBS_VERT), STYLE(SBS_TOPALIGN), STYLE(SBS_LEFTALIGN), STYLE(SBS_BOTTOMALIGN),
      STYLE(SBS_RIGHTALIGN), STYLE(SBS_SIZEBOX), STYLE(SBS_SIZEGRIP),
      STYLE(LVS_REPORT), STYLE(LVS_SINGLESEL), STYLE(LVS_SHOWSELALWAYS), STYLE(LVS_NOLABELWRAP),
      STYLE(LVS_NOCOLUMNHEADER), STYLE(LVS_NOSORTHEADER), STYLE(TCS_FOCUSONBUTTONDOWN), STYLE(TCS_FOCUSNEVER),
      STYLE(HDS_BUTTONS), STYLE(HDS_HIDDEN), STYLE(TVS_HASBUTTONS), STYLE(TVS_HASLINES), STYLE(TVS_LINESATROOT),
      STYLE(TVS_DISABLEDRAGDROP), STYLE(TVS_SHOWSELALWAYS), STYLE(MCS_NOTODAY), STYLE(MCS_NOTODAYCIRCLE),
      STYLE(UDS_WRAP), STYLE(UDS_SETBUDDYINT), STYLE(UDS_ALIGNRIGHT), STYLE(UDS_ALIGNLEFT), STYLE(UDS_AUTOBUDDY),
      STYLE(UDS_ARROWKEYS), STYLE(UDS_HORZ), STYLE(UDS_NOTHOUSANDS),
  };
  return table;
}
#undef STYLE

// ---- Parsing ---------------------------------------------------------------

struct Parser : ResTextReader {

  // Style expression from tokens[i...]: words joined by "|" or blanks;
  // "NOT X" clears X. Stops at the word "exstyle".
  bool styles(const std::vector<ResToken>& t, size_t& i, DWORD* set, DWORD* cleared) {
    bool negate = false;
    for (; i < t.size(); ++i) {
      const ResToken& tok = t[i];
      if (!tok.quoted && tok.text == "|") continue;
      if (!tok.quoted && lower(tok.text) == "exstyle") return true;
      if (!tok.quoted && tok.text == "NOT") {
        negate = true;
        continue;
      }
      DWORD v = 0;
      long long n;
      if (tok.quoted) return fail("a style is not a string: \"" + tok.text + "\"");
      if (parseNumber(tok.text, &n)) v = static_cast<DWORD>(n);
      else if (!LookupStyleName(tok.text, &v)) return fail("unknown style " + tok.text);
      if (negate) *cleared |= v;
      else *set |= v;
      negate = false;
    }
    if (negate) return fail("NOT without a style");
    return true;
  }

  bool number(const ResToken& t, int* v) {
    long long n;
    if (t.quoted || !parseNumber(t.text, &n)) return fail("a number was expected, not " + t.text);
    *v = static_cast<int>(n);
    return true;
  }

  bool parse(std::string_view text, std::vector<DlgTemplate>* out) {
    DlgTemplate* cur = nullptr;
    if (!forEachStatement(text, [&](const std::vector<ResToken>& t) { return statement(t, cur, out); })) return false;
    if (cur) return fail("\"end\" is missing for dialog " + (cur->name.empty() ? std::to_string(cur->id) : cur->name));
    return true;
  }

  // One statement; `cur` is the dialog being read, null between dialogs.
  bool statement(const std::vector<ResToken>& t, DlgTemplate*& cur, std::vector<DlgTemplate>* out) {
    std::string key = lower(t[0].text);
    if (t[0].quoted) return fail("a statement was expected, not a string");
    if (!cur) {
      if (key != "dialog") return fail("\"dialog\" was expected, not " + t[0].text);
      out->emplace_back();
      cur = &out->back();
      ParseResourceHeader(t, &cur->id, &cur->name);
      if (cur->id == 0 && cur->name.empty()) return fail("a dialog needs an id or a name");
      cur->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      return true;
    }
    if (key == "end") {
      cur = nullptr;
    } else if (key == "caption") {
      if (t.size() != 2 || !t[1].quoted) return fail("caption \"text\" was expected");
      cur->caption = t[1].text;
    } else if (key == "rect") {
      if (t.size() != 5) return fail("rect x y width height was expected");
      if (!number(t[1], &cur->x) || !number(t[2], &cur->y) || !number(t[3], &cur->cx) || !number(t[4], &cur->cy))
        return false;
    } else if (key == "font") {
      if (t.size() != 3 || !t[2].quoted) return fail("font size \"face\" was expected");
      if (!number(t[1], &cur->pointSize)) return false;
      cur->face = t[2].text;
    } else if (key == "style" || key == "exstyle") {
      DWORD set = 0, cleared = 0;
      size_t i = 1;
      if (!styles(t, i, &set, &cleared)) return false;
      if (i != t.size()) return fail("unexpected exstyle");
      (key == "style" ? cur->style : cur->exStyle) = set & ~cleared;
    } else if (key == "class") {
      if (t.size() != 2) return fail("class name was expected");
      cur->className = t[1].text;
    } else if (key == "control") {
      if (t.size() < 8) return fail("control class id \"text\" x y width height [styles] was expected");
      DlgItemTemplate item;
      item.className = t[1].text;
      if (!ParseResourceId(t[2], &item.id)) return fail("unknown id " + t[2].text);
      if (!t[3].quoted) return fail("the control's text must be a quoted string");
      item.text = t[3].text;
      if (!number(t[4], &item.x) || !number(t[5], &item.y) || !number(t[6], &item.cx) || !number(t[7], &item.cy))
        return false;
      DWORD set = WS_CHILD | WS_VISIBLE, cleared = 0;
      size_t i = 8;
      if (!styles(t, i, &set, &cleared)) return false;
      item.style = set & ~cleared;
      if (i < t.size()) {  // "exstyle ..."
        ++i;
        DWORD exSet = 0, exCleared = 0;
        if (!styles(t, i, &exSet, &exCleared)) return false;
        item.exStyle = exSet & ~exCleared;
      }
      cur->items.push_back(std::move(item));
    } else {
      return fail("unknown statement " + t[0].text);
    }
    return true;
  }
};

struct Registry {
  std::vector<DlgTemplate> templates;
  bool loaded = false;
};

Registry& registry() {
  static Registry r;
  return r;
}

void addAll(std::vector<DlgTemplate>& parsed) {
  auto& list = registry().templates;
  for (DlgTemplate& t : parsed) {
    for (auto it = list.begin(); it != list.end();) {
      bool same = (t.id != 0 && it->id == t.id) || (!t.name.empty() && it->name == t.name);
      it = same ? list.erase(it) : it + 1;
    }
    list.push_back(std::move(t));
  }
}

void loadEmbedded() {
  Registry& r = registry();
  if (r.loaded) return;
  r.loaded = true;
  for (const platform::EmbeddedText& e : platform::EmbeddedResourceTexts()) {
    if (!std::string_view(e.path).ends_with(".dlg")) continue;
    std::vector<DlgTemplate> parsed;
    std::string error;
    if (!ParseDialogTemplates(e.text(), e.path, &parsed, &error)) {
      // A broken template is a build mistake: say so loudly, keep the rest.
      std::fprintf(stderr, "dialog templates: %s\n", error.c_str());
      continue;
    }
    addAll(parsed);
  }
}

}  // namespace

bool TokenizeResourceLine(std::string_view line, std::vector<ResToken>* out, std::string* problem) {
  out->clear();
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#' && out->empty()) return true;  // a comment line
    if (c == '|') {
      out->push_back({"|", false});
      ++i;
      continue;
    }
    if (c == '"') {
      std::string utf8;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\' && i < line.size()) {
          char e = line[i++];
          d = e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
        }
        utf8 += d;
      }
      if (!closed) {
        if (problem) *problem = "unterminated string";
        return false;
      }
      out->push_back({Utf8ToCp1252(utf8), true});
      continue;
    }
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '|' &&
           line[i] != '"')
      ++i;
    out->push_back({std::string(line.substr(start, i - start)), false});
  }
  return true;
}

bool ParseResourceId(const ResToken& token, int* value) {
  if (token.quoted) return false;
  long long n;
  if (parseNumber(token.text, &n)) {
    *value = static_cast<int>(n);
    return true;
  }
  return LookupResourceSymbol(token.text, value);
}

void ParseResourceHeader(const std::vector<ResToken>& tokens, int* id, std::string* name) {
  for (size_t i = 1; i < tokens.size(); ++i) {
    long long n;
    if (parseNumber(tokens[i].text, &n)) {
      *id = static_cast<int>(n);
    } else {
      *name = tokens[i].text;
      int v;
      if (*id == 0 && LookupResourceSymbol(tokens[i].text, &v)) *id = v;
    }
  }
}

bool ResTextReader::fail(const std::string& problem) {
  error = origin + ":" + std::to_string(line) + ": " + problem;
  return false;
}

bool ResTextReader::forEachStatement(std::string_view text,
                                     const std::function<bool(const std::vector<ResToken>&)>& statement) {
  size_t pos = 0;
  for (;;) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    ++line;
    std::vector<ResToken> t;
    std::string problem;
    if (!TokenizeResourceLine(text.substr(pos, eol - pos), &t, &problem)) return fail(problem);
    if (!t.empty() && !statement(t)) return false;
    if (eol == text.size()) return true;
    pos = eol + 1;
  }
}

bool LookupResourceSymbol(std::string_view name, int* value) {
  auto& t = symbols();
  auto it = t.find(std::string(name));
  if (it == t.end()) return false;
  *value = it->second;
  return true;
}

bool LookupStyleName(std::string_view name, DWORD* value) {
  auto& t = styleNames();
  auto it = t.find(std::string(name));
  if (it == t.end()) return false;
  *value = it->second;
  return true;
}

bool ParseDialogTemplates(std::string_view text, const std::string& origin, std::vector<DlgTemplate>* out,
                          std::string* error) {
  Parser p;
  p.origin = origin;
  std::vector<DlgTemplate> parsed;
  if (!p.parse(text, &parsed)) {
    if (error) *error = p.error;
    return false;
  }
  for (DlgTemplate& t : parsed) out->push_back(std::move(t));
  return true;
}

bool AddDialogTemplates(std::string_view text, const std::string& origin, std::string* error) {
  loadEmbedded();
  std::vector<DlgTemplate> parsed;
  if (!ParseDialogTemplates(text, origin, &parsed, error)) return false;
  addAll(parsed);
  return true;
}

const DlgTemplate* FindDialogTemplate(LPCSTR idOrName) {
  loadEmbedded();
  if (!idOrName) return nullptr;
  auto& list = registry().templates;
  if (IS_INTRESOURCE(idOrName)) {
    int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(idOrName));
    for (const DlgTemplate& t : list)
      if (t.id == id) return &t;
    return nullptr;
  }
  std::string_view name = idOrName;
  for (const DlgTemplate& t : list)
    if (t.name == name) return &t;
  // "#315" names a template by number.
  if (name.size() > 1 && name[0] == '#') {
    long long n;
    if (parseNumber(name.substr(1), &n))
      for (const DlgTemplate& t : list)
        if (t.id == n) return &t;
  }
  return nullptr;
}
