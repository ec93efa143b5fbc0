// A file the wizard writes: every write checked (and open to the test
// seam of injected write failures), flushed and synced when closed.
#pragma once

#include <cstdio>
#include <string>

#include "platform/base/types.h"

class NewFile {
 public:
  NewFile() = default;
  ~NewFile() { Close(); }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // `mode` as for fopen ("wb", "wb+").
  bool Open(const std::string& name, const char* mode = "wb");
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Name() const { return name_; }
  // True when all `size` bytes were written.
  bool Write(const void* data, std::size_t size);
  bool WriteText(const std::string& text) { return Write(text.data(), text.size()); }
  // Flushes, syncs and closes; false when any of it (or an earlier write)
  // failed.
  bool Close();

 private:
  FILE* file_ = nullptr;
  std::string name_;
  bool failed_ = false;
};
