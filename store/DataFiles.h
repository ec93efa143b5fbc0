// Store-internal helpers around the year's file set.
#pragma once

// The free-space check before a record write, on the loaded year's folder.
bool DataFolderHasRoom(unsigned long bytes);
// The same, giving the free bytes found.
bool DataFolderHasRoom(unsigned long bytes, unsigned long long* freeOut);
// The data-format major number used in the data file names ("4").
const char* DataFormatMajor();
