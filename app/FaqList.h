// The question-and-answer files "*.FAQ" of the FAQ folder: one question
// per file, a 696-byte header followed by the answer text. The list of
// their headers, sorted into the order of the browser's category tree.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/CString.h"

constexpr std::size_t kFaqHeaderSize = 696;
constexpr std::size_t kFaqPathSize = 158;
constexpr std::size_t kFaqTextSize = 257;

struct FaqEntry {
  std::int32_t answerLength = 0;  // bytes after the header
  char number[8] = {};            // shown after "Question #"
  char path[kFaqPathSize] = {};   // "/"-separated categories; the last part labels the question
  char question[kFaqTextSize] = {};
  char answerFile[kFaqTextSize] = {};  // relative to the FAQ folder
};

struct FaqList {
  int count = 0;
  FaqEntry* entries = nullptr;
};

// The header's fields from its 696 bytes (texts cut at their field's end).
void DecodeFaqHeader(const unsigned char* bytes, FaqEntry& entry);
// The header's 696 bytes (the fields the program does not read are zero).
void EncodeFaqHeader(const FaqEntry& entry, unsigned char* bytes);

// The FAQ files of `folder`, sorted, with "General" grouping. A damaged
// file is skipped with a message; with no usable file, "No FAQs were
// found" and null.
FaqList* ReadFaqFiles(const char* folder);
void FreeFaqList(FaqList* list);

// The list shown by Help/FAQs: read at the first successful use, kept for
// the run.
extern FaqList* LoadedFaqList;

// The answer text of `entry` (its lines; text after the last line feed
// included) read from the answer file in `folder`. 1, or 0 with the error
// text in `error`.
int ReadFaqAnswer(const char* folder, const FaqEntry& entry, CString* answer, CString* error);
