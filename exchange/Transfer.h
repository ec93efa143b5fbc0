// The transfer out: the active scouts and adults as the member files of the
// sibling membership program (type 0), or the friends-of-scouting totals
// of each contribution year as the district program's transfer file
// (type 1). Both only read the loaded year and show their own messages.
#pragma once

#include <string>

inline constexpr int kSiblingRecords = 200;
inline constexpr int kSiblingRecordSize = 512;

void TransferData(int type, const char* folder);
void WriteMemberTransferFiles(const char* folder);
void WriteFosTransferFile(const char* folder);

// The sibling program's member files of the unit's kind in `folder`.
std::string SiblingScoutsFile(const char* folder);
std::string SiblingAdultsFile(const char* folder);
// The district transfer file in `folder` ("Troop 123 FOS Transfer.xfr").
std::string FosTransferFile(const char* folder);
