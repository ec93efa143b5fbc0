// The rich text subset: reading the formats the rich edit keeps, skipping
// what it does not, escapes, and the round trip of what it writes.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/Rtf.h"

namespace {

TEST(Rtf, ReadsRunsFontsColoursAndParagraphs) {
  const RtfDocument doc = ReadRtf(
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New Roman;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Some Writer;}{\\info{\\title T}}\r\n"
      "\\pard\\qc\\f1\\fs24 Plain \\b bold\\b0  \\i\\cf1 red\\i0\\par\r\n"
      "\\pard\\qr{\\ul under}\\tab x\\'e9\\u8364?\\par\\pard tail}");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  EXPECT_EQ(doc.PlainText(), "Plain bold red\r\nunder\tx\xE9\x80\r\ntail");
  const RtfParagraph& first = doc.paragraphs[0];
  EXPECT_EQ(first.align, RtfAlign::kCenter);
  ASSERT_EQ(first.runs.size(), 4u);
  EXPECT_EQ(first.runs[0].format.face, "Times New Roman");
  EXPECT_EQ(first.runs[0].format.halfPoints, 24);
  EXPECT_TRUE(first.runs[1].format.bold);
  EXPECT_EQ(first.runs[1].text, "bold");
  EXPECT_EQ(first.runs[3].format.colour, RGB(255, 0, 0));
  EXPECT_TRUE(first.runs[3].format.italic);
  EXPECT_EQ(doc.paragraphs[1].align, RtfAlign::kRight);
  EXPECT_TRUE(doc.paragraphs[1].runs[0].format.underline);
  EXPECT_FALSE(doc.paragraphs[1].runs[1].format.underline) << "the group ended the underline";
  EXPECT_EQ(doc.paragraphs[2].align, RtfAlign::kLeft);
}

TEST(Rtf, PlainTextKeepsItsCharactersThroughEscapes) {
  const char* const texts[] = {"C:\\temp\\new", "{x}", "a}b{c", "caf\xE9 \x80", "tab\there", "two\r\nlines", "",
                               "\\par not a break"};
  for (const char* text : texts) {
    const std::string rtf = RtfFromPlainText(text);
    EXPECT_EQ(ReadRtf(rtf).PlainText(), text) << rtf;
  }
  EXPECT_EQ(RtfFromPlainText("C:\\temp {1}"), "{C:\\\\temp \\{1\\}}");
  EXPECT_EQ(ReadRtf("{C:\\temp}").PlainText(), "C:") << "unescaped, a backslash starts a control word";
  // A text that is no stream at all reads as its characters.
  EXPECT_EQ(ReadRtf("C:\\temp {x}\r\nnext").PlainText(), "C:\\temp {x}\r\nnext");
}

TEST(Rtf, WhatIsWrittenReadsBackTheSame) {
  RtfDocument doc = RtfDocument::FromPlainText("first line\r\nsecond {line}\r\n\r\nlast \\ line");
  doc.paragraphs[0].runs.push_back(RtfRun{" bold", {true, false, false, "Courier New", 20, RGB(0, 0, 255)}});
  doc.paragraphs[1].align = RtfAlign::kRight;
  doc.paragraphs[3].runs[0].format.underline = true;
  doc.paragraphs[3].runs.push_back(RtfRun{"\xE9\t\x01", {false, true, false, "Odd;Name{}", 0, RGB(1, 2, 3)}});
  doc.paragraphs[3].align = RtfAlign::kCenter;
  EXPECT_EQ(ReadRtf(WriteRtf(doc)), doc) << WriteRtf(doc);
  EXPECT_EQ(ReadRtf(WriteRtf(RtfDocument::FromPlainText(""))), RtfDocument::FromPlainText(""));

  // Formatting a whole value joins the runs that now look alike.
  doc.ApplyFormat(RtfCharFormat{true, false, false, "", 0, RGB(0, 0, 255)}, RTF_BOLD | RTF_COLOUR, true,
                  RtfAlign::kLeft);
  EXPECT_EQ(doc.paragraphs[0].runs.size(), 2u) << "the faces still differ";
  const RtfDocument again = ReadRtf(WriteRtf(doc));
  EXPECT_TRUE(again.paragraphs[1].runs[0].format.bold);
  EXPECT_EQ(again.paragraphs[1].align, RtfAlign::kLeft);
}

TEST(Rtf, DamagedStreamsStillRead) {
  const char* const streams[] = {"{\\rtf1 {{{{ unclosed", "}}} closed {\\b x}", "\\", "\\'", "\\'zz",
                                 "{\\fonttbl{\\f0 NoSemicolon}}\\f0 x", "\\fs-99999999999 y", "\\u-1 z",
                                 "{\\colortbl\\red999;}\\cf1 c", "\\cf99 \\f99 q"};
  for (const char* stream : streams) {
    const RtfDocument doc = ReadRtf(stream);
    EXPECT_FALSE(doc.paragraphs.empty()) << stream;
    EXPECT_EQ(ReadRtf(WriteRtf(doc)), doc) << stream;
  }
  EXPECT_EQ(ReadRtf(std::string(100000, '{') + "deep" + std::string(100000, '}')).PlainText(), "deep");
}

}  // namespace
