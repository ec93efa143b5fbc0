#include "wizard/NewFile.h"

#include <unistd.h>

#include "common/FileUtil.h"
#include "wizard/Conversion.h"

bool NewFile::Open(const std::string& name, const char* mode) {
  Close();
  name_ = name;
  failed_ = false;
  // The converted books are private, as every file of the system is.
  file_ = OpenPrivateFile(name.c_str(), mode);
  return file_ != nullptr;
}

bool NewFile::Write(const void* data, std::size_t size) {
  if (!file_ || WriteFaults(name_)) {
    failed_ = true;
    return false;
  }
  if (std::fwrite(data, 1, size, file_) != size) failed_ = true;
  return !failed_;
}

bool NewFile::Close() {
  if (!file_) return !failed_;
  if (std::fflush(file_) != 0 || ::fsync(fileno(file_)) != 0) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}
