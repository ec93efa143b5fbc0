// A conversion job set up on an old installation as the pages leave it.
#pragma once

#include <string>
#include <vector>

#include "OldInstall.h"
#include "wizard/Conversion.h"

// Type 0, the old and new folders, the adults-only sub-unit "Adults" and the
// dummy member " Eagle, Patrol" marked; the old data read and scanned.
inline void PrepareJob(CConversion& job, const oldinst::OldInstall& inst) {
  ASSERT_EQ(job.SetAppType(0), 1);
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1) << job.GetErrorText();
  ASSERT_EQ(job.SetInstallFolder(inst.NewFolder()), 1) << job.GetErrorText();
  job.SetAdultSubunit("Adults");
  ASSERT_EQ(job.ReadOldConfig(), 1) << job.GetErrorText();
  ASSERT_EQ(job.ScanOldData(), 1) << job.GetErrorText();
  job.SetSubunitMembers({" Eagle, Patrol"});
}

inline std::string NewYearFile(const oldinst::OldInstall& inst, const char* stem, const std::string& yy) {
  return inst.NewFolder() + "/fy20" + yy + "/" + stem + "4" + yy + ".dat";
}
