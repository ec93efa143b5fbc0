// The text a rich edit window holds: characters each with its own format,
// paragraphs (ended by "\r") each with its alignment. Positions count
// characters, a paragraph end as one. Internal to the rich edit control.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Rtf.h"

namespace ctl {

class RichText {
 public:
  RichText() = default;

  int Length() const { return static_cast<int>(text_.size()); }
  const std::string& Chars() const { return text_; }
  const RtfCharFormat& FormatAt(int i) const { return formats_[static_cast<size_t>(i)]; }
  int ParagraphCount() const { return static_cast<int>(align_.size()); }
  int ParagraphOf(int pos) const;
  int ParagraphStart(int paragraph) const;
  RtfAlign AlignOf(int paragraph) const { return align_[static_cast<size_t>(paragraph)]; }

  // The characters in [from, to) as a user sees them: paragraph ends as
  // "\r\n".
  std::string Plain(int from, int to) const;
  // Replaces [from, to) with `text` in `format`; "\r\n", "\n" and "\r" end
  // paragraphs. New paragraphs take the alignment of the one they split.
  void Replace(int from, int to, const std::string& text, const RtfCharFormat& format);
  // Replaces [from, to) with a document's runs and paragraph alignments.
  // Returns the number of characters inserted.
  int Insert(int from, int to, const RtfDocument& doc);
  RtfDocument ToDocument(int from, int to) const;
  void Clear() { *this = RichText(); }

  // Sets the parts of `format` that `mask` names (RTF_*) on [from, to).
  void ApplyFormat(int from, int to, const RtfCharFormat& format, unsigned mask);
  // The parts of the format that every character of [from, to) shares
  // (RTF_* in the result) and their values, taken from the first one.
  unsigned CommonFormat(int from, int to, RtfCharFormat& format) const;
  void SetAlign(int fromParagraph, int toParagraph, RtfAlign align);

  // The first match of `what` in [from, to), or -1.
  int Find(const std::string& what, int from, int to, bool matchCase, bool wholeWord) const;

 private:
  std::string text_;                    // "\r" ends a paragraph
  std::vector<RtfCharFormat> formats_;  // one per character
  std::vector<RtfAlign> align_{RtfAlign::kLeft};
};

}  // namespace ctl
