// The rich edit window's text and formats.
#include "platform/controls/RichText.h"

#include <algorithm>
#include <cctype>

namespace ctl {

namespace {
void SetMasked(RtfCharFormat& to, const RtfCharFormat& from, unsigned mask) {
  if (mask & RTF_BOLD) to.bold = from.bold;
  if (mask & RTF_ITALIC) to.italic = from.italic;
  if (mask & RTF_UNDERLINE) to.underline = from.underline;
  if (mask & RTF_FACE) to.face = from.face;
  if (mask & RTF_SIZE) to.halfPoints = from.halfPoints;
  if (mask & RTF_COLOUR) to.colour = from.colour;
}

bool WordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }
}  // namespace

int RichText::ParagraphOf(int pos) const {
  pos = std::clamp(pos, 0, Length());
  return static_cast<int>(std::count(text_.begin(), text_.begin() + pos, '\r'));
}

int RichText::ParagraphStart(int paragraph) const {
  int pos = 0;
  for (int p = 0; p < paragraph; ++p) {
    const size_t end = text_.find('\r', static_cast<size_t>(pos));
    if (end == std::string::npos) return Length();
    pos = static_cast<int>(end) + 1;
  }
  return pos;
}

std::string RichText::Plain(int from, int to) const {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  std::string out;
  out.reserve(static_cast<size_t>(to - from));
  for (int i = from; i < to; ++i) {
    if (text_[static_cast<size_t>(i)] == '\r') out += '\r', out += '\n';
    else out += text_[static_cast<size_t>(i)];
  }
  return out;
}

void RichText::Replace(int from, int to, const std::string& text, const RtfCharFormat& format) {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  const int firstParagraph = ParagraphOf(from);
  const int removedBreaks = ParagraphOf(to) - firstParagraph;
  std::string chars;
  chars.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // the "\n" ends it
    chars += text[i] == '\n' ? '\r' : text[i];
  }
  const int addedBreaks = static_cast<int>(std::count(chars.begin(), chars.end(), '\r'));
  text_.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), chars);
  formats_.erase(formats_.begin() + from, formats_.begin() + to);
  formats_.insert(formats_.begin() + from, chars.size(), format);
  const RtfAlign keep = align_[static_cast<size_t>(firstParagraph)];
  align_.erase(align_.begin() + firstParagraph + 1, align_.begin() + firstParagraph + 1 + removedBreaks);
  align_.insert(align_.begin() + firstParagraph + 1, static_cast<size_t>(addedBreaks), keep);
}

int RichText::Insert(int from, int to, const RtfDocument& doc) {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  Replace(from, to, "", RtfCharFormat());
  // A paragraph brings its alignment only with its end; the last one's
  // text joins the paragraph it lands in, unless it fills an empty text.
  const bool whole = Length() == 0;
  const RtfAlign target = align_[static_cast<size_t>(ParagraphOf(from))];
  int pos = from;
  for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
    const RtfParagraph& paragraph = doc.paragraphs[p];
    const int paragraphIndex = ParagraphOf(pos);
    const bool last = p + 1 == doc.paragraphs.size();
    align_[static_cast<size_t>(paragraphIndex)] = whole || !last ? paragraph.align : target;
    for (const RtfRun& run : paragraph.runs) {
      Replace(pos, pos, run.text, run.format);
      pos += static_cast<int>(run.text.size());
    }
    if (p + 1 < doc.paragraphs.size()) {
      const RtfCharFormat breakFormat = paragraph.runs.empty() ? RtfCharFormat() : paragraph.runs.back().format;
      Replace(pos, pos, "\r", breakFormat);
      ++pos;
    }
  }
  return pos - from;
}

RtfDocument RichText::ToDocument(int from, int to) const {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  RtfDocument doc;
  doc.paragraphs.push_back(RtfParagraph{align_[static_cast<size_t>(ParagraphOf(from))], {}});
  for (int i = from; i < to; ++i) {
    const char c = text_[static_cast<size_t>(i)];
    if (c == '\r') {
      doc.paragraphs.push_back(RtfParagraph{align_[static_cast<size_t>(ParagraphOf(i + 1))], {}});
      continue;
    }
    std::vector<RtfRun>& runs = doc.paragraphs.back().runs;
    const RtfCharFormat& f = formats_[static_cast<size_t>(i)];
    if (runs.empty() || !(runs.back().format == f)) runs.push_back(RtfRun{"", f});
    runs.back().text += c;
  }
  return doc;
}

void RichText::ApplyFormat(int from, int to, const RtfCharFormat& format, unsigned mask) {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  for (int i = from; i < to; ++i) SetMasked(formats_[static_cast<size_t>(i)], format, mask);
}

unsigned RichText::CommonFormat(int from, int to, RtfCharFormat& format) const {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  if (from == to) return 0;
  format = formats_[static_cast<size_t>(from)];
  unsigned mask = RTF_BOLD | RTF_ITALIC | RTF_UNDERLINE | RTF_FACE | RTF_SIZE | RTF_COLOUR;
  for (int i = from + 1; i < to; ++i) {
    const RtfCharFormat& f = formats_[static_cast<size_t>(i)];
    if (f.bold != format.bold) mask &= ~RTF_BOLD;
    if (f.italic != format.italic) mask &= ~RTF_ITALIC;
    if (f.underline != format.underline) mask &= ~RTF_UNDERLINE;
    if (f.face != format.face) mask &= ~RTF_FACE;
    if (f.halfPoints != format.halfPoints) mask &= ~RTF_SIZE;
    if (f.colour != format.colour) mask &= ~RTF_COLOUR;
  }
  return mask;
}

void RichText::SetAlign(int fromParagraph, int toParagraph, RtfAlign align) {
  fromParagraph = std::clamp(fromParagraph, 0, ParagraphCount() - 1);
  toParagraph = std::clamp(toParagraph, fromParagraph, ParagraphCount() - 1);
  for (int p = fromParagraph; p <= toParagraph; ++p) align_[static_cast<size_t>(p)] = align;
}

int RichText::Find(const std::string& what, int from, int to, bool matchCase, bool wholeWord) const {
  from = std::clamp(from, 0, Length());
  to = std::clamp(to, from, Length());
  // A paragraph end is found by either form of line break.
  std::string needle;
  for (size_t i = 0; i < what.size(); ++i) {
    if (what[i] == '\r' && i + 1 < what.size() && what[i + 1] == '\n') continue;
    needle += what[i] == '\n' ? '\r' : what[i];
  }
  const int n = static_cast<int>(needle.size());
  if (n == 0) return -1;
  auto same = [matchCase](char a, char b) {
    return matchCase ? a == b
                     : std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  for (int i = from; i + n <= to; ++i) {
    bool hit = true;
    for (int k = 0; k < n && hit; ++k) hit = same(text_[static_cast<size_t>(i + k)], needle[static_cast<size_t>(k)]);
    if (!hit) continue;
    if (wholeWord && ((i > 0 && WordChar(text_[static_cast<size_t>(i - 1)])) ||
                      (i + n < Length() && WordChar(text_[static_cast<size_t>(i + n)]))))
      continue;
    return i;
  }
  return -1;
}

}  // namespace ctl
