// Input masks and the texts typed, pasted ("GX_MASKDATA" or plain text) or
// stored into a masked cell: the first line is the mask, each further line
// one operation on the entry (its first byte picks it, the next a
// position). Whatever comes in, the entry keeps its mask's shape.
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "grid/cells/GXMaskData.h"

namespace fuzz {

namespace {

std::vector<std::string> Lines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char ch = static_cast<char>(data[i]);
    if (ch == '\n') lines.emplace_back();
    else if (ch != '\0') lines.back() += ch;
  }
  return lines;
}

void CheckShape(CGXMaskData& data, std::size_t positions) {
  if (data.HasNoMask()) {
    FuzzCheck(data.GetEntryLength() <= data.GetMaxLength(), "free text within its maximum length");
    return;
  }
  FuzzCheck(static_cast<std::size_t>(data.GetEntryLength()) == positions, "entry as long as the mask");
  FuzzCheck(data.IsValid(), "entry valid for its mask");
}

}  // namespace

void MaskData(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = Lines(data, size);
  CGXMaskData mask;
  mask.SetMask(lines[0].c_str());
  mask.SetMaxLength(64);
  const std::size_t positions = static_cast<std::size_t>(mask.GetEntryLength());
  CheckShape(mask, positions);
  for (std::size_t i = 1; i < lines.size() && i < 200; ++i) {
    const std::string& line = lines[i];
    if (line.size() < 2) continue;
    const int at = static_cast<int>(static_cast<unsigned char>(line[1])) - 2;
    const std::string text = line.substr(2);
    int next = 0;
    char ch = text.empty() ? 'x' : text[0];
    switch (line[0] % 8) {
      case 0: mask.PutData(text.c_str(), at, FALSE); break;
      case 1: mask.PutData(text.c_str(), at, TRUE); break;
      case 2: {
        // A display text that does not fit leaves a partial entry behind;
        // the cell puts the text before back, as here.
        CString before;
        mask.GetDisplayText(before);
        if (mask.PutDisplayText(text.c_str(), at, line[0] & 8) < 0 || !mask.IsValid())
          mask.PutDisplayText(before, -1, FALSE);
        break;
      }
      case 3:
        if (mask.IsValidInput(at, ch)) mask.InsertAt(at, ch, next);
        break;
      case 4: mask.DeleteRange(at + static_cast<int>(text.size()), at); break;
      case 5: mask.SetPromptChar(text.substr(0, 1 + (line[0] & 8 ? 1 : 0)).c_str(), TRUE); break;
      case 6: {
        CString out;
        mask.GetData(out, at, at + static_cast<int>(text.size()), TRUE);
        mask.GetDisplayText(out, at, at + static_cast<int>(text.size()));
        break;
      }
      default: {
        const int limit = mask.LimitToEntry(at);
        FuzzCheck(limit >= -1 && limit <= mask.GetEntryLength(), "limit inside the entry");
        const int following = mask.NextInputPos(at);
        const int preceding = mask.PrevInputPos(at);
        FuzzCheck(preceding < at || preceding == -1, "previous input before the position");
        FuzzCheck(following == -1 || following > at || mask.HasNoMask() || at >= mask.GetEntryLength(),
                  "next input after the position");
        break;
      }
    }
    CheckShape(mask, positions);
  }
}

}  // namespace fuzz
