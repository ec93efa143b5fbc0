// Small text functions on caller-owned buffers and CStrings.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"

class CStringArray;

// Blanks and tabs: flag 1 leading, 2 trailing, 3 both.
void TrimString(char* text, int flags);
// Appends `fill` until the text has width - 1 characters.
void PadString(char* text, int width, char fill);
// Up to `count` characters of `text` from `start`, cut to fit `out`.
void CopySubstring(const char* text, int start, int count, char* out, size_t size);
template <size_t N>
void CopySubstring(const char* text, int start, int count, char (&out)[N]) {
  CopySubstring(text, start, count, out, N);
}
void UpperCase(char* text);
void CapitalizeWords(char* text);
void StripChars(char* text, const char* set);
void ReplaceChars(char* text, const char* set, char ch);
// Writes `piece` over `text` (of `size` bytes) from `pos` without
// shortening it; what goes beyond the room is cut.
void InsertString(const char* piece, int pos, char* text, size_t size);
template <size_t N>
void InsertString(const char* piece, int pos, char (&text)[N]) {
  InsertString(piece, pos, text, N);
}
CString IntToCString(int n);
bool FindInArray(const int* array, int count, int value, int* index);

// Word wrap at `width` characters; a new buffer the caller frees with
// free(), null when memory runs out.
char* WrapText(const char* text, int width);
// One element per line; every LF and every CR ends an element.
int WrapTextToLines(const char* text, int width, CStringArray& lines);

int FindCharIndex(char ch, const CString& text);
bool IsCharInSet(char ch, const CString& set, bool withDigits, bool withLetters);
bool AllCharsInSet(const CString& text, const CString& set, bool withDigits, bool withLetters);
bool IsDigitsText(const CString& text, bool allowMinus);
CString TrimCharSets(const CString& text, const CString& leading, const CString& trailing);
CString FilterChars(const CString& text, const CString& set, bool keep);
// Copies the fields of `text` into a table of `rows` texts of `width`
// characters at `buffer`; the number of rows filled.
int SplitFields(int rows, int width, const char* text, char* buffer, const char* separators,
                int keepEmpty);
