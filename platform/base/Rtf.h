// The part of the Rich Text Format the rich edit reads and writes: plain
// runs of text with bold, italic and underline, a font face and size and a
// colour, paragraphs with their alignment, and the escapes of "\", "{",
// "}", tabs and 8-bit characters. Everything else a reader meets (other
// destinations, pictures, tables, styles) is skipped, never fatal. Text is
// Windows-1252; "\uN" characters are taken to it where they exist there.
#pragma once

#include <string>
#include <vector>

#include "platform/base/types.h"

struct RtfCharFormat {
  static constexpr COLORREF kAutoColour = 0xFFFFFFFF;

  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::string face;             // empty: the default font
  int halfPoints = 0;           // 0: the default size
  COLORREF colour = kAutoColour;

  bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
  std::string text;
  RtfCharFormat format;
  bool operator==(const RtfRun&) const = default;
};

enum class RtfAlign { kLeft, kCenter, kRight };

struct RtfParagraph {
  RtfAlign align = RtfAlign::kLeft;
  std::vector<RtfRun> runs;
  bool operator==(const RtfParagraph&) const = default;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;  // at least one once read
  bool operator==(const RtfDocument&) const = default;

  // The text alone, paragraphs separated by "\r\n".
  std::string PlainText() const;
  // A document of one run per paragraph in `format`; "\r\n" or "\n"
  // separates paragraphs.
  static RtfDocument FromPlainText(const std::string& text, const RtfCharFormat& format = {});
  // Gives every run the parts of `format` that `mask` names, and every
  // paragraph `align` when `setAlign`.
  void ApplyFormat(const RtfCharFormat& format, unsigned mask, bool setAlign, RtfAlign align);
};

// Which parts of a format ApplyFormat sets.
constexpr unsigned RTF_BOLD = 1, RTF_ITALIC = 2, RTF_UNDERLINE = 4, RTF_FACE = 8, RTF_SIZE = 16, RTF_COLOUR = 32;

// Reads a stream; any text at all reads (a text that does not open a
// group reads as its characters), so the result is never an error.
RtfDocument ReadRtf(const std::string& rtf);
// A stream that ReadRtf reads back to `document` (runs of equal format
// joined, empty runs dropped).
std::string WriteRtf(const RtfDocument& document);
// Plain text as it stands inside a group: "\", "{" and "}" escaped, tabs
// and line breaks as control words, other control and 8-bit characters as
// "\'hh".
std::string RtfEscape(const std::string& text);
// The plain text wrapped in braces, escaped: the smallest stream that
// reads back to that text.
std::string RtfFromPlainText(const std::string& text);
