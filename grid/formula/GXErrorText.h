// The formula engine's error messages by error number.
#pragma once

constexpr int kGXErrorCount = 382;

// The message of an error number: "unknown error" outside 0..381, an empty
// text for numbers without a message.
const char* GXErrorText(int number);
