#include "reports/MailLabel.h"

#include <strings.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

CMailLabel CurrentMailLabel;
CMailLabelDBase MailLabelStore;

namespace {
constexpr long kRecordSize = static_cast<long>(sizeof(MailLabelDef));
constexpr double kTolerance = 0.005;
// Inches (and label counts): no sheet comes near it.
constexpr double kMaxMeasure = 1000;
}  // namespace

// ---- The label object ---------------------------------------------------------

void CMailLabel::SetDefaults() {
  std::memset(&def_, 0, sizeof def_);
  def_.kind = kLabelKindLabel;
  def_.cls = kLabelClassUser;
  def_.feed = 1;
  def_.pageWidth = 8.5f;
  def_.pageHeight = 11.0f;
}

void CMailLabel::GetDefinition(MailLabelDef* out) const {
  if (out) std::memcpy(out, &def_, sizeof def_);
}

void CMailLabel::SetDefinition(const MailLabelDef* in) {
  if (in) std::memcpy(&def_, in, sizeof def_);
  def_.name[sizeof def_.name - 1] = '\0';
}

void CMailLabel::SetName(const char* name) {
  std::memset(def_.name, 0, sizeof def_.name);
  if (name) std::strncpy(def_.name, name, sizeof def_.name - 1);
}

bool CMailLabel::CheckMeasure(const char* name, float value, bool zeroAllowed, CString& error) {
  error.Empty();
  if (zeroAllowed ? value < 0 : value <= 0)
    error.Format("The '%s' must be greater than %s", name, zeroAllowed ? "or equal to zero" : "zero");
  return error.IsEmpty();
}

bool CMailLabel::Validate(CString& error) const {
  error.Empty();
  if (!def_.name[0]) {
    error = "A label name must be provided";
    return false;
  }
  const struct {
    const char* name;
    float value;
    bool zeroAllowed;
  } measures[] = {{"Number Across", static_cast<float>(def_.across), false},
                  {"Number Down", static_cast<float>(def_.down), false},
                  {"Width", def_.labelWidth, false},
                  {"Height", def_.labelHeight, false},
                  {"Left Margin", def_.leftMargin, true},
                  {"Right Margin", def_.rightMargin, true},
                  {"Top Margin", def_.topMargin, true},
                  {"Bottom Margin", def_.bottomMargin, true},
                  {"Horizontal Pitch", def_.hPitch, false},
                  {"Vertical Pitch", def_.vPitch, false},
                  {"Corner Radius", def_.cornerRadius, true}};
  for (const auto& m : measures)
    if (!CheckMeasure(m.name, m.value, m.zeroAllowed, error)) return false;
  // A measure that is no number passes every comparison; one beyond any
  // sheet overflows the layout's sums.
  const struct {
    const char* name;
    double value;
  } bounded[] = {{"Number Across", static_cast<double>(def_.across)},
                 {"Number Down", static_cast<double>(def_.down)},
                 {"Width", def_.labelWidth},
                 {"Height", def_.labelHeight},
                 {"Left Margin", def_.leftMargin},
                 {"Right Margin", def_.rightMargin},
                 {"Top Margin", def_.topMargin},
                 {"Bottom Margin", def_.bottomMargin},
                 {"Horizontal Pitch", def_.hPitch},
                 {"Vertical Pitch", def_.vPitch},
                 {"Corner Radius", def_.cornerRadius},
                 {"Page Width", def_.pageWidth},
                 {"Page Height", def_.pageHeight}};
  for (const auto& b : bounded)
    if (!std::isfinite(b.value) || b.value < 0 || b.value > kMaxMeasure) {
      error.Format("The '%s' is out of range (0 - %d)", b.name, static_cast<int>(kMaxMeasure));
      return false;
    }
  if (def_.labelWidth > def_.hPitch) {
    error = "Horizontal pitch must be greater than or equal to the label width";
    return false;
  }
  if (def_.labelHeight > def_.vPitch) {
    error = "Vertical pitch must be greater than or equal to the label height";
    return false;
  }
  const double vertical = (def_.down - 1) * static_cast<double>(def_.vPitch) + def_.topMargin +
                          static_cast<double>(def_.labelHeight) + def_.bottomMargin;
  if (vertical > def_.pageHeight + kTolerance) {
    error = "Sum of vertical label measurements exceeds page height";
    return false;
  }
  const double horizontal = (def_.across - 1) * static_cast<double>(def_.hPitch) + def_.leftMargin +
                            static_cast<double>(def_.labelWidth) + def_.rightMargin;
  if (horizontal > def_.pageWidth + kTolerance) {
    error = "Sum of horizontal label measurements exceeds page width";
    return false;
  }
  return true;
}

bool CMailLabel::ValidateLabelNumber(int number, CString& error) const {
  const long long count = static_cast<long long>(def_.across) * def_.down;
  if (number >= 1 && number <= count) return true;
  CString range;
  range.Format("Invalid label number (1-%lld).", count);
  error += range;
  return false;
}

// ---- The store ---------------------------------------------------------------

CMailLabelDBase::~CMailLabelDBase() {
  if (file_) std::fclose(file_);
}

void CMailLabelDBase::SetFileName(const char* name) { fileName_ = std::string(name ? name : "").substr(0, 255); }

bool CMailLabelDBase::Open() {
  error_.Empty();
  if (++openCount_ == 1) {
    file_ = std::fopen(fileName_.c_str(), "rb+");
    // Made only when it does not exist: a file that exists but cannot be
    // opened for update (its mode, a lock) is never truncated.
    if (!file_ && errno == ENOENT) {
      const int fd = ::open(fileName_.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
      if (fd >= 0 && (file_ = ::fdopen(fd, "rb+")) == nullptr) ::close(fd);
    }
    if (!file_) {
      error_.Format("Could not open Mailing Label data file: %s", fileName_.c_str());
      --openCount_;
    }
  }
  return error_.IsEmpty();
}

bool CMailLabelDBase::Close() {
  // The error of the operation that the close ends (a failed write) is
  // that operation's result: it stays.
  const CString kept = error_;
  error_.Empty();
  if (openCount_ > 0 && --openCount_ == 0 && file_) {
    if (std::fclose(file_) != 0) error_ = "Close failed in CMailLabelDBase::Close";
    file_ = nullptr;
  }
  if (error_.IsEmpty()) error_ = kept;
  return error_.IsEmpty();
}

int CMailLabelDBase::GetCount() const {
  struct stat st;
  if (file_) std::fflush(file_);
  if (::stat(fileName_.c_str(), &st) != 0) return 0;
  return static_cast<int>(st.st_size / kRecordSize);
}

bool CMailLabelDBase::Find(const char* name, int* number) {
  error_.Empty();
  if (!name || !*name) {
    error_ = "Invalid name was specified for CMailLabelDBase::Find";
    return false;
  }
  if (!Open()) return false;
  bool found = false;
  int n = 0;
  if (std::fseek(file_, 0, SEEK_SET) != 0) {
    error_ = "Seek failed in CMailLabelDBase::Find";
  } else {
    MailLabelDef rec;
    while (std::fread(&rec, sizeof rec, 1, file_) == 1) {
      rec.name[sizeof rec.name - 1] = '\0';
      if (::strcasecmp(rec.name, name) == 0) {
        found = true;
        break;
      }
      ++n;
    }
    if (!found && std::ferror(file_)) error_ = "Read failed in CMailLabelDBase::Find";
  }
  if (number) *number = n;
  const CString kept = error_;
  Close();
  if (!kept.IsEmpty()) error_ = kept;
  return found && error_.IsEmpty();
}

bool CMailLabelDBase::Get(int number, MailLabelDef* out) {
  error_.Empty();
  if (number < 0 || number >= GetCount())
    error_ = "Record number is out of range for CMailLabelDBase::Get";
  else if (!out)
    error_ = "Invalid label address for CMailLabelDBase::Get";
  else if (!file_)
    error_ = "Invalid file pointer for CMailLabelDBase::Get";
  else if (std::fseek(file_, number * kRecordSize, SEEK_SET) != 0)
    error_ = "Seek failed in CMailLabelDBase::Get";
  else if (std::fread(out, sizeof *out, 1, file_) != 1)
    error_ = "Read failed in CMailLabelDBase::Get";
  if (!error_.IsEmpty()) return false;
  out->name[sizeof out->name - 1] = '\0';
  return out->name[0] != '\0';
}

bool CMailLabelDBase::Put(int number, const MailLabelDef* in) {
  error_.Empty();
  if (number < 0 || number > GetCount())
    error_ = "Record number is out of range for CMailLabelDBase::Put";
  else if (!in)
    error_ = "Invalid label address for CMailLabelDBase::Put";
  else if (in->cls & kLabelClassPredefined)
    error_ = "Predefined labels may not be overwritten in CMailLabelDBase::Put";
  else if (!file_)
    error_ = "Invalid file pointer for CMailLabelDBase::Put";
  else if (std::fseek(file_, number * kRecordSize, SEEK_SET) != 0)
    error_ = "Seek failed in CMailLabelDBase::Put";
  else if (std::fwrite(in, sizeof *in, 1, file_) != 1 || std::fflush(file_) != 0)
    error_ = "Write failed in CMailLabelDBase::Put";
  return error_.IsEmpty();
}

bool CMailLabelDBase::GetNames(int classMask, int kindMask, std::vector<std::string>* names) {
  const int count = GetCount();
  if (!Open()) return false;
  MailLabelDef rec;
  for (int n = 0; n < count && error_.IsEmpty(); ++n)
    if (Get(n, &rec) && (rec.cls & classMask) && (rec.kind & kindMask) && names) names->push_back(rec.name);
  return Close();
}

bool CMailLabelDBase::Store(const CMailLabel& label) {
  if (!Open()) return false;
  int n = 0;
  // Names match whatever their case: a user definition named like a
  // predefined one must not take its record.
  MailLabelDef stored;
  if (Find(label.GetName(), &n) && Get(n, &stored) && (stored.cls & kLabelClassPredefined))
    error_ = "Predefined labels may not be overwritten in CMailLabelDBase::Put";
  else if (error_.IsEmpty()) {
    MailLabelDef rec;
    label.GetDefinition(&rec);
    Put(n, &rec);
  }
  return Close();
}

bool CMailLabelDBase::Delete(CMailLabel& label) {
  if (!Open()) return false;
  int n = 0;
  MailLabelDef stored;
  if (Find(label.GetName(), &n) && Get(n, &stored) && !(stored.cls & kLabelClassPredefined)) {
    label.SetDefaults();
    MailLabelDef blank;
    label.GetDefinition(&blank);
    Put(n, &blank);
  }
  return Close();
}

bool CMailLabelDBase::Retrieve(CMailLabel& label) {
  const std::string name = label.GetName();
  label.SetDefaults();
  bool loaded = false;
  if (Open()) {
    int n = 0;
    MailLabelDef rec;
    if (Find(name.c_str(), &n) && Get(n, &rec)) {
      label.SetDefinition(&rec);
      loaded = true;
    }
    Close();
  }
  if (!loaded) error_ = "Could not find default mailing label in CMailLabelDBase::Retrieve";
  return loaded;
}

bool CMailLabelDBase::ClearUserDefinitions() {
  const int count = GetCount();
  if (!Open()) return false;
  MailLabelDef rec;
  for (int n = 0; n < count && error_.IsEmpty(); ++n) {
    if (Get(n, &rec) && !(rec.cls & kLabelClassPredefined)) {
      MailLabelDef zero;
      std::memset(&zero, 0, sizeof zero);
      Put(n, &zero);
    }
  }
  return Close();
}
