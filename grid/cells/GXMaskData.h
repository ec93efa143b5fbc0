// The input mask of a masked cell, apart from any window: the mask's input
// and literal positions, the entry shown (literals, typed characters and
// prompt characters) and the rules for placing, inserting and deleting
// typed characters. The mask language:
//   #  a digit            &  any character       ?  a letter
//   A  a letter or digit  L  a letter, lowered   U  a letter, raised
//   \  makes the next character a literal; any other character is one.
// Without a mask (and with free text on) the entry is plain text limited
// by the maximum length. Texts are single-byte Windows-1252, so every
// character is one position. Ranges of positions are given as
// (first, last) with `last` not included; -1 for `last` means the end.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "platform/Afx.h"

class CGXMaskData : public CObject {
  DECLARE_DYNCREATE(CGXMaskData)

 public:
  CGXMaskData() = default;

  virtual void Empty();
  virtual void SetMask(LPCTSTR mask);
  // The typed characters of the input positions in the range, a prompt
  // read as a blank; `trim` drops trailing blanks.
  virtual void GetData(CString& out, int first = 0, int last = -1, BOOL trim = FALSE);
  // Places typed characters from `position` (-1: a fresh entry from the
  // start); the position after the last one placed, -1 when nothing could
  // be placed or characters are left over at the end of the mask.
  virtual int PutData(LPCTSTR text, int position = -1, BOOL insert = FALSE);
  virtual void GetDisplayText(CString& out, int first = 0, int last = -1);
  // Takes a text that includes the literals, position by position; -1 at
  // the first character that does not fit.
  virtual int PutDisplayText(LPCTSTR text, int position = -1, BOOL insert = FALSE);
  // Whether `ch` may stand at `position`; a blank becomes the prompt
  // character and L and U change the letter's case in `ch`.
  virtual BOOL IsValidInput(int position, char& ch);
  virtual int NextInputPos(int position);
  virtual int PrevInputPos(int position);
  virtual int LimitToEntry(int position);
  virtual BOOL InsertAt(int position, char ch, int& next);
  virtual void DeleteRange(int end, int start);
  virtual BOOL IsValid();
  virtual BOOL HasNoMask() { return mask_.empty(); }
  virtual int GetEntryLength() { return static_cast<int>(entry_.size()); }
  virtual int CharToByteIndex(int index) { return index; }
  virtual int ByteToCharIndex(int index) { return index; }
  virtual void ResetEntry();
  virtual int GetMaxLength() { return m_nMaxLength; }
  virtual void SetMaxLength(int length) { m_nMaxLength = length; }
  virtual BOOL IsMaskChar(char ch);
  virtual BOOL IsLiteral(int position);

  // Refuses a prompt of more than one character (0); empty means "_".
  // With `replace`, input positions showing the old prompt show the new.
  BOOL SetPromptChar(LPCTSTR text, BOOL replace);
  char GetPromptChar() const { return prompt_; }

  BOOL m_bFreeText = TRUE;
  int m_nMaxLength = INT_MAX;

 private:
  bool Typed(int position) const;
  // The input positions, in order.
  std::vector<int> InputPositions() const;

  std::string mask_;              // per position: mask character or literal
  std::vector<BYTE> literal_;     // per position: 1 literal, 0 input
  std::string entry_;             // per position: what is shown
  char prompt_ = '_';
};

// Windows-1252 letters and their cases.
BOOL GXIsLetter1252(unsigned char ch);
char GXToUpper1252(char ch);
char GXToLower1252(char ch);
