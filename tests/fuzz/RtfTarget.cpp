// Rich text as a rich edit cell's value or the clipboard brings it: any
// stream reads, and what is written of it reads back the same.
#include <string>

#include "fuzz/FuzzTargets.h"
#include "platform/base/Rtf.h"

namespace fuzz {

void RichText(const std::uint8_t* data, std::size_t size) {
  const std::string stream(reinterpret_cast<const char*>(data), size);
  const RtfDocument doc = ReadRtf(stream);
  FuzzCheck(!doc.paragraphs.empty(), "a document has a paragraph");
  FuzzCheck(ReadRtf(WriteRtf(doc)) == doc, "what is written reads back the same");
  const std::string plain = doc.PlainText();
  FuzzCheck(ReadRtf(RtfFromPlainText(plain)).PlainText() == plain, "plain text survives its escapes");
}

}  // namespace fuzz
