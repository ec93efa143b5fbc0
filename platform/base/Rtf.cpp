#include "platform/base/Rtf.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/base/Codepage.h"

// ------------------------------------------------------------- documents

std::string RtfDocument::PlainText() const {
  std::string text;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) text += "\r\n";
    for (const RtfRun& run : paragraphs[i].runs) text += run.text;
  }
  return text;
}

RtfDocument RtfDocument::FromPlainText(const std::string& text, const RtfCharFormat& format) {
  RtfDocument document;
  document.paragraphs.emplace_back();
  std::string line;
  const auto endLine = [&] {
    if (!line.empty()) document.paragraphs.back().runs.push_back(RtfRun{line, format});
    line.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (text[i] == '\r') ++i;
      endLine();
      document.paragraphs.emplace_back();
    } else if (text[i] != '\r') {
      line += text[i];
    }
  }
  endLine();
  return document;
}

void RtfDocument::ApplyFormat(const RtfCharFormat& format, unsigned mask, bool setAlign, RtfAlign align) {
  for (RtfParagraph& paragraph : paragraphs) {
    if (setAlign) paragraph.align = align;
    for (RtfRun& run : paragraph.runs) {
      if (mask & RTF_BOLD) run.format.bold = format.bold;
      if (mask & RTF_ITALIC) run.format.italic = format.italic;
      if (mask & RTF_UNDERLINE) run.format.underline = format.underline;
      if (mask & RTF_FACE) run.format.face = format.face;
      if (mask & RTF_SIZE) run.format.halfPoints = format.halfPoints;
      if (mask & RTF_COLOUR) run.format.colour = format.colour;
    }
    // Runs that now look alike become one.
    std::vector<RtfRun> joined;
    for (RtfRun& run : paragraph.runs) {
      if (!joined.empty() && joined.back().format == run.format) joined.back().text += run.text;
      else joined.push_back(std::move(run));
    }
    paragraph.runs = std::move(joined);
  }
}

// ---------------------------------------------------------------- reading

namespace {

// Destinations whose text is no part of the document.
bool IsSkippedDestination(const std::string& word) {
  static const char* const kSkipped[] = {
      "stylesheet", "info",      "pict",       "object",   "header",      "footer",    "headerl",   "headerr",
      "headerf",    "footerl",   "footerr",    "footerf",  "footnote",    "fldinst",   "themedata", "datastore",
      "listtable",  "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "latentstyles", "colorschememapping",
      "pgdsctbl",   "filetbl",   "revtbl",     "bkmkstart", "bkmkend",    "shp",       "nonshppict", "author",
      "operator",   "title",     "comment",    "doccomm",   "keywords",   "subject",   "company",   "mmathPr"};
  for (const char* skipped : kSkipped)
    if (word == skipped) return true;
  return false;
}

enum class Area { kText, kFonts, kColours, kSkip };

struct GroupState {
  RtfCharFormat format;
  RtfAlign align = RtfAlign::kLeft;
  Area area = Area::kText;
  int ucSkip = 1;
};

class Reader {
 public:
  explicit Reader(const std::string& rtf) : in_(rtf) { document_.paragraphs.emplace_back(); }

  RtfDocument Read() {
    while (at_ < in_.size()) {
      const char ch = in_[at_++];
      if (ch == '{') {
        Open();
      } else if (ch == '}') {
        Close();
      } else if (ch == '\\') {
        Control();
      } else if (ch == '\r' || ch == '\n') {
        // line breaks in the stream are no text
      } else {
        Char(ch, true);
      }
    }
    return std::move(document_);
  }

 private:
  static constexpr std::size_t kMaxDepth = 256;

  void Open() {
    if (stack_.size() >= kMaxDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(state_);
    groupStart_ = true;
  }

  void Close() {
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (stack_.empty()) return;
    if (state_.area == Area::kFonts && fontNumber_ >= 0 && !fontName_.empty()) EndFont();
    state_ = stack_.back();
    stack_.pop_back();
    groupStart_ = false;
  }

  void EndFont() {
    fonts_[fontNumber_] = fontName_;
    fontName_.clear();
  }

  // A character of the text (or of a font name); `fromText` tells plain
  // characters of the stream from escaped ones.
  void Char(char ch, bool fromText) {
    groupStart_ = false;
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    switch (state_.area) {
      case Area::kSkip: return;
      case Area::kFonts:
        if (fromText && ch == ';') EndFont();
        else fontName_ += ch;
        return;
      case Area::kColours:
        if (fromText && ch == ';') {
          colours_.push_back(colourSet_ ? RGB(red_, green_, blue_) : RtfCharFormat::kAutoColour);
          red_ = green_ = blue_ = 0;
          colourSet_ = false;
        }
        return;
      case Area::kText: break;
    }
    // Line breaks written as codes break the paragraph as "\par" does; a
    // carriage return alone is no character of the text.
    if (ch == '\n') {
      Paragraph();
      return;
    }
    if (ch == '\r') return;
    std::vector<RtfRun>& runs = document_.paragraphs.back().runs;
    if (!runs.empty() && runs.back().format == state_.format) runs.back().text += ch;
    else runs.push_back(RtfRun{std::string(1, ch), state_.format});
  }

  void Paragraph() {
    if (state_.area != Area::kText) return;
    pendingSkip_ = 0;
    document_.paragraphs.emplace_back();
    document_.paragraphs.back().align = state_.align;
  }

  static int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void Control() {
    if (at_ >= in_.size()) return;
    const char first = in_[at_];
    if (!std::isalpha(static_cast<unsigned char>(first))) {
      ++at_;
      switch (first) {
        case '\\': case '{': case '}': Char(first, false); break;
        case '\'': {
          if (at_ + 1 < in_.size() && Hex(in_[at_]) >= 0 && Hex(in_[at_ + 1]) >= 0) {
            Char(static_cast<char>(Hex(in_[at_]) * 16 + Hex(in_[at_ + 1])), false);
            at_ += 2;
          }
          break;
        }
        case '~': Char(static_cast<char>(0xA0), false); break;
        case '_': Char('-', false); break;
        case '*': if (state_.area == Area::kText) state_.area = Area::kSkip; break;
        case '\r': case '\n': Paragraph(); break;
        default: break;  // \- and the rest: nothing to show
      }
      return;
    }
    std::string word;
    while (at_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[at_])) && word.size() < 32) word += in_[at_++];
    while (at_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[at_]))) ++at_;  // over-long words
    bool hasNumber = false, negative = false;
    long long number = 0;
    if (at_ < in_.size() && in_[at_] == '-' && at_ + 1 < in_.size() && std::isdigit(static_cast<unsigned char>(in_[at_ + 1]))) {
      negative = true;
      ++at_;
    }
    while (at_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[at_]))) {
      hasNumber = true;
      number = std::min<long long>(number * 10 + (in_[at_++] - '0'), INT_MAX);
    }
    if (at_ < in_.size() && in_[at_] == ' ') ++at_;
    Word(word, hasNumber, static_cast<int>(negative ? -number : number));
  }

  void Word(const std::string& w, bool hasNumber, int n) {
    groupStart_ = false;
    if (w == "fonttbl") {
      state_.area = Area::kFonts;
      return;
    }
    if (w == "colortbl") {
      state_.area = Area::kColours;
      return;
    }
    if (IsSkippedDestination(w)) {
      state_.area = Area::kSkip;
      return;
    }
    if (state_.area == Area::kFonts) {
      if (w == "tab") Char('\t', false);
      if (w == "f") {
        if (!fontName_.empty() && fontNumber_ >= 0) EndFont();
        fontNumber_ = n;
        fontName_.clear();
      }
      return;
    }
    if (state_.area == Area::kColours) {
      const int v = std::clamp(n, 0, 255);
      if (w == "red") red_ = v, colourSet_ = true;
      else if (w == "green") green_ = v, colourSet_ = true;
      else if (w == "blue") blue_ = v, colourSet_ = true;
      return;
    }
    if (state_.area == Area::kSkip) return;
    RtfCharFormat& f = state_.format;
    const bool on = !hasNumber || n != 0;
    if (w == "par" || w == "line") Paragraph();
    else if (w == "tab") Char('\t', false);
    else if (w == "b") f.bold = on;
    else if (w == "i") f.italic = on;
    else if (w == "ul") f.underline = on;
    else if (w == "ulnone") f.underline = false;
    else if (w == "plain") f = RtfCharFormat{};
    else if (w == "f") {
      const auto it = fonts_.find(n);
      f.face = it != fonts_.end() ? it->second : std::string();
    } else if (w == "fs") {
      f.halfPoints = std::clamp(n, 0, 32767);
    } else if (w == "cf") {
      f.colour = n > 0 && static_cast<std::size_t>(n) < colours_.size() ? colours_[static_cast<std::size_t>(n)]
                                                                        : RtfCharFormat::kAutoColour;
    } else if (w == "pard" || w == "ql" || w == "qj") {
      // A paragraph takes the alignment last set while it is open.
      state_.align = document_.paragraphs.back().align = RtfAlign::kLeft;
    } else if (w == "qc") {
      state_.align = document_.paragraphs.back().align = RtfAlign::kCenter;
    } else if (w == "qr") {
      state_.align = document_.paragraphs.back().align = RtfAlign::kRight;
    } else if (w == "uc") {
      state_.ucSkip = std::clamp(n, 0, 8);
    } else if (w == "u" && hasNumber) {
      const int code = n < 0 ? n + 65536 : n;
      const int byte = UnicodeToCp1252(static_cast<char32_t>(code));
      Char(byte >= 0 ? static_cast<char>(byte) : '?', false);
      pendingSkip_ = state_.ucSkip;
    }
  }

  const std::string& in_;
  std::size_t at_ = 0;
  RtfDocument document_;
  GroupState state_;
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;
  bool groupStart_ = false;
  int pendingSkip_ = 0;
  std::map<int, std::string> fonts_;
  int fontNumber_ = -1;
  std::string fontName_;
  std::vector<COLORREF> colours_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colourSet_ = false;
};

}  // namespace

RtfDocument ReadRtf(const std::string& rtf) {
  // A stream is a group; any other text is taken as it stands, as the
  // rich edit takes text that is not rich.
  if (rtf.empty() || rtf.front() != '{') return RtfDocument::FromPlainText(rtf);
  return Reader(rtf).Read();
}

// ---------------------------------------------------------------- writing

std::string RtfEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    const auto ch = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (ch < 0x20 || ch >= 0x80) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", ch);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::string RtfFromPlainText(const std::string& text) {
  std::string out = "{";
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (text[i] == '\r') ++i;
      out += RtfEscape(line) + "\\par ";
      line.clear();
    } else if (text[i] != '\r') {
      line += text[i];
    }
  }
  return out + RtfEscape(line) + "}";
}

std::string WriteRtf(const RtfDocument& document) {
  std::vector<std::string> faces;
  std::vector<COLORREF> colours;
  for (const RtfParagraph& p : document.paragraphs)
    for (const RtfRun& r : p.runs) {
      if (r.text.empty()) continue;
      if (!r.format.face.empty() && std::find(faces.begin(), faces.end(), r.format.face) == faces.end())
        faces.push_back(r.format.face);
      if (r.format.colour != RtfCharFormat::kAutoColour &&
          std::find(colours.begin(), colours.end(), r.format.colour) == colours.end())
        colours.push_back(r.format.colour);
    }
  std::string out = "{\\rtf1\\ansi\\deff0";
  char number[64];
  if (!faces.empty()) {
    out += "{\\fonttbl";
    for (std::size_t i = 0; i < faces.size(); ++i) {
      std::snprintf(number, sizeof number, "{\\f%zu ", i);
      // A ";" would end the name: it goes as its code.
      std::string name = RtfEscape(faces[i]);
      for (std::size_t at = name.find(';'); at != std::string::npos; at = name.find(';', at + 4))
        name.replace(at, 1, "\\'3b");
      out += number + name + ";}";
    }
    out += "}";
  }
  if (!colours.empty()) {
    out += "{\\colortbl ;";
    for (COLORREF c : colours) {
      std::snprintf(number, sizeof number, "\\red%u\\green%u\\blue%u;", static_cast<unsigned>(c & 0xFF),
                    static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
      out += number;
    }
    out += "}";
  }
  out += "\r\n";
  for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
    const RtfParagraph& p = document.paragraphs[i];
    if (i > 0) out += "\\par\r\n";
    out += "\\pard";
    if (p.align == RtfAlign::kCenter) out += "\\qc";
    if (p.align == RtfAlign::kRight) out += "\\qr";
    for (const RtfRun& r : p.runs) {
      if (r.text.empty()) continue;
      out += "\\plain";
      if (r.format.bold) out += "\\b";
      if (r.format.italic) out += "\\i";
      if (r.format.underline) out += "\\ul";
      if (!r.format.face.empty()) {
        std::snprintf(number, sizeof number, "\\f%zu",
                      static_cast<std::size_t>(std::find(faces.begin(), faces.end(), r.format.face) - faces.begin()));
        out += number;
      }
      if (r.format.halfPoints > 0) {
        std::snprintf(number, sizeof number, "\\fs%d", r.format.halfPoints);
        out += number;
      }
      if (r.format.colour != RtfCharFormat::kAutoColour) {
        std::snprintf(number, sizeof number, "\\cf%zu",
                      static_cast<std::size_t>(std::find(colours.begin(), colours.end(), r.format.colour) -
                                               colours.begin() + 1));
        out += number;
      }
      out += " " + RtfEscape(r.text);
    }
  }
  return out + "}";
}
