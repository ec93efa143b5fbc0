// The mask data of a masked cell.
#include "grid/cells/GXMaskData.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CGXMaskData, CObject)

BOOL GXIsLetter1252(unsigned char ch) {
  if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) return TRUE;
  switch (ch) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA: return TRUE;
    default: break;
  }
  return ch >= 0xC0 && ch != 0xD7 && ch != 0xF7;
}

char GXToUpper1252(char c) {
  const auto ch = static_cast<unsigned char>(c);
  if (ch >= 'a' && ch <= 'z') return static_cast<char>(ch - 32);
  if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return static_cast<char>(ch - 32);
  switch (ch) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
  }
}

char GXToLower1252(char c) {
  const auto ch = static_cast<unsigned char>(c);
  if (ch >= 'A' && ch <= 'Z') return static_cast<char>(ch + 32);
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return static_cast<char>(ch + 32);
  switch (ch) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

namespace {
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return GXIsLetter1252(static_cast<unsigned char>(ch)) != FALSE; }
}  // namespace

void CGXMaskData::Empty() {
  mask_.clear();
  literal_.clear();
}

BOOL CGXMaskData::IsMaskChar(char ch) { return std::strchr("#&?ALU", ch) != nullptr && ch != '\0'; }

void CGXMaskData::SetMask(LPCTSTR mask) {
  Empty();
  if (mask == nullptr || *mask == '\0') {
    m_nMaxLength = INT_MAX;
    entry_.clear();
    return;
  }
  for (const char* p = mask; *p != '\0'; ++p) {
    if (*p == '\\') {
      if (p[1] == '\0') break;  // a trailing escape escapes nothing
      ++p;
      mask_ += *p;
      literal_.push_back(1);
    } else {
      mask_ += *p;
      literal_.push_back(IsMaskChar(*p) ? 0 : 1);
    }
  }
  ResetEntry();
}

void CGXMaskData::ResetEntry() {
  entry_.assign(mask_.size(), prompt_);
  for (std::size_t i = 0; i < mask_.size(); ++i)
    if (literal_[i]) entry_[i] = mask_[i];
}

BOOL CGXMaskData::IsLiteral(int position) {
  if (HasNoMask()) return m_bFreeText ? FALSE : TRUE;
  return position >= 0 && position < static_cast<int>(literal_.size()) && literal_[static_cast<std::size_t>(position)];
}

bool CGXMaskData::Typed(int position) const {
  return position >= 0 && position < static_cast<int>(entry_.size()) &&
         !literal_[static_cast<std::size_t>(position)] && entry_[static_cast<std::size_t>(position)] != prompt_;
}

std::vector<int> CGXMaskData::InputPositions() const {
  std::vector<int> inputs;
  for (std::size_t i = 0; i < literal_.size(); ++i)
    if (!literal_[i]) inputs.push_back(static_cast<int>(i));
  return inputs;
}

BOOL CGXMaskData::IsValidInput(int position, char& ch) {
  if (HasNoMask()) return m_bFreeText;
  if (position < 0 || position >= static_cast<int>(mask_.size()) || literal_[static_cast<std::size_t>(position)])
    return FALSE;
  if (ch == ' ') {
    ch = prompt_;
    return TRUE;
  }
  if (ch == prompt_) return TRUE;
  switch (mask_[static_cast<std::size_t>(position)]) {
    case '#': return IsDigit(ch);
    case '&': return static_cast<unsigned char>(ch) >= ' ';
    case '?': return IsLetter(ch);
    case 'A': return IsLetter(ch) || IsDigit(ch);
    case 'L':
      if (!IsLetter(ch)) return FALSE;
      ch = GXToLower1252(ch);
      return TRUE;
    case 'U':
      if (!IsLetter(ch)) return FALSE;
      ch = GXToUpper1252(ch);
      return TRUE;
    default: return FALSE;
  }
}

int CGXMaskData::NextInputPos(int position) {
  const int size = static_cast<int>(mask_.size());
  if (HasNoMask() || position >= size) return position;
  for (int i = std::max(position + 1, 0); i < size; ++i)
    if (!literal_[static_cast<std::size_t>(i)]) return i;
  return -1;
}

int CGXMaskData::PrevInputPos(int position) {
  const int size = static_cast<int>(mask_.size());
  for (int i = std::min(position - 1, size - 1); i >= 0; --i)
    if (!literal_[static_cast<std::size_t>(i)]) return i;
  return -1;
}

int CGXMaskData::LimitToEntry(int position) {
  if (HasNoMask()) return std::clamp(position, 0, GetEntryLength());
  int at = position;
  if (at >= 0 && at < static_cast<int>(literal_.size()) && literal_[static_cast<std::size_t>(at)]) at = NextInputPos(at);
  if (Typed(at)) return position;
  for (int i = std::min(position, static_cast<int>(entry_.size())) - 1; i >= 0; --i)
    if (Typed(i)) return i + 1;
  return NextInputPos(-1);
}

BOOL CGXMaskData::InsertAt(int position, char ch, int& next) {
  if (HasNoMask()) return FALSE;
  const std::vector<int> inputs = InputPositions();
  if (inputs.empty() || Typed(inputs.back())) return FALSE;
  if (IsLiteral(position)) position = NextInputPos(position);
  const auto at = std::find(inputs.begin(), inputs.end(), position);
  if (at == inputs.end()) return FALSE;
  std::string shifted = entry_;
  for (auto it = inputs.end() - 1; it != at; --it) {
    char moved = entry_[static_cast<std::size_t>(*(it - 1))];
    // A character that its new position would not take stops the insert,
    // so that the entry never holds what its mask refuses.
    if (!IsValidInput(*it, moved)) return FALSE;
    shifted[static_cast<std::size_t>(*it)] = moved;
  }
  shifted[static_cast<std::size_t>(position)] = ch;
  entry_ = std::move(shifted);
  next = NextInputPos(position);
  if (next < 0) next = GetEntryLength();
  return TRUE;
}

void CGXMaskData::DeleteRange(int end, int start) {
  if (HasNoMask()) {
    start = std::clamp(start, 0, GetEntryLength());
    end = std::clamp(end, start, GetEntryLength());
    entry_.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    return;
  }
  const int length = GetEntryLength();
  if (end >= length || end < 0) end = length;
  if (IsLiteral(start)) start = NextInputPos(start);
  if (end < length && IsLiteral(end)) {
    end = NextInputPos(end);
    if (end < 0) end = length;
  }
  if (start < 0 || start >= end) return;
  const std::vector<int> inputs = InputPositions();
  std::string kept;
  for (int p : inputs)
    if (p < start || p >= end) kept += entry_[static_cast<std::size_t>(p)];
  std::string shifted = entry_;
  bool fits = true;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    char ch = i < kept.size() ? kept[i] : prompt_;
    fits = fits && IsValidInput(inputs[i], ch);
    shifted[static_cast<std::size_t>(inputs[i])] = ch;
  }
  if (fits) {
    entry_ = std::move(shifted);
    return;
  }
  // What follows would not fit the positions it moved to: the range is
  // emptied in place instead.
  for (int p : inputs)
    if (p >= start && p < end) entry_[static_cast<std::size_t>(p)] = prompt_;
}

BOOL CGXMaskData::IsValid() {
  if (HasNoMask()) return !m_bFreeText || GetEntryLength() <= m_nMaxLength;
  if (entry_.size() != mask_.size()) return FALSE;
  for (std::size_t i = 0; i < mask_.size(); ++i) {
    char ch = entry_[i];
    if (literal_[i] ? ch != mask_[i] : !IsValidInput(static_cast<int>(i), ch)) return FALSE;
  }
  return TRUE;
}

void CGXMaskData::GetDisplayText(CString& out, int first, int last) {
  const int length = GetEntryLength();
  if (last < 0 || last > length) last = length;
  first = std::clamp(first, 0, last);
  out = CString(entry_.data() + first, last - first);
}

void CGXMaskData::GetData(CString& out, int first, int last, BOOL trim) {
  if (HasNoMask()) {
    if (m_bFreeText) GetDisplayText(out, first, last);
    else out.Empty();
  } else {
    const int length = GetEntryLength();
    if (last < 0 || last > length) last = length;
    std::string typed;
    for (int i = std::max(first, 0); i < last; ++i) {
      if (literal_[static_cast<std::size_t>(i)]) continue;
      const char ch = entry_[static_cast<std::size_t>(i)];
      typed += ch == prompt_ ? ' ' : ch;
    }
    out = CString(typed.c_str());
  }
  if (trim) out.TrimRight(" ");
}

int CGXMaskData::PutDisplayText(LPCTSTR text, int position, BOOL insert) {
  const std::string typed = text != nullptr ? text : "";
  if (HasNoMask()) {
    if (!m_bFreeText) return -1;
    if (position < 0) {
      entry_.clear();
      position = 0;
    }
    position = std::min(position, GetEntryLength());
    if (insert) entry_.insert(static_cast<std::size_t>(position), typed);
    else entry_.replace(static_cast<std::size_t>(position), typed.size(), typed);
    if (m_nMaxLength >= 0 && GetEntryLength() > m_nMaxLength) entry_.resize(static_cast<std::size_t>(m_nMaxLength));
    return std::min(position + static_cast<int>(typed.size()), GetEntryLength());
  }
  if (position < 0) {
    ResetEntry();
    position = 0;
  }
  if (static_cast<int>(entry_.size()) != static_cast<int>(mask_.size())) ResetEntry();
  for (char ch : typed) {
    if (position >= static_cast<int>(mask_.size())) return -1;
    if (literal_[static_cast<std::size_t>(position)]) {
      if (ch != mask_[static_cast<std::size_t>(position)]) return -1;
      ++position;
      continue;
    }
    if (!IsValidInput(position, ch)) return -1;
    if (insert) {
      int next = 0;
      if (!InsertAt(position, ch, next)) return -1;
    } else {
      entry_[static_cast<std::size_t>(position)] = ch;
    }
    ++position;
  }
  return position;
}

int CGXMaskData::PutData(LPCTSTR text, int position, BOOL insert) {
  if (HasNoMask()) return m_bFreeText ? PutDisplayText(text, position, insert) : -1;
  if (position < 0) {
    ResetEntry();
    position = 0;
  }
  if (static_cast<int>(entry_.size()) != static_cast<int>(mask_.size())) ResetEntry();
  const int size = static_cast<int>(mask_.size());
  if (position >= size) return -1;
  if (literal_[static_cast<std::size_t>(position)]) position = NextInputPos(position);
  if (position < 0) return -1;
  const char* p = text != nullptr ? text : "";
  for (; *p != '\0'; ++p) {
    while (position < size && literal_[static_cast<std::size_t>(position)]) ++position;
    if (position >= size) return -1;  // characters left over
    char ch = *p;
    if (!IsValidInput(position, ch)) break;
    if (insert) {
      int next = 0;
      if (!InsertAt(position, ch, next)) break;
    } else {
      entry_[static_cast<std::size_t>(position)] = ch;
    }
    ++position;
  }
  return position;
}

BOOL CGXMaskData::SetPromptChar(LPCTSTR text, BOOL replace) {
  const std::size_t length = text != nullptr ? std::strlen(text) : 0;
  if (length > 1) return FALSE;
  const char now = length == 0 ? '_' : text[0];
  if (replace)
    for (std::size_t i = 0; i < entry_.size() && i < literal_.size(); ++i)
      if (!literal_[i] && entry_[i] == prompt_) entry_[i] = now;
  prompt_ = now;
  return TRUE;
}
