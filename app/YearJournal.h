// The journal of a year operation that replaces a year's files (a restore,
// or a rollover onto a year or folder that holds files): a small text file
// of the program folder, written atomically before the operation changes
// anything live and removed when it is over. When the program stops
// part-way (power lost, killed), the next start reads it and either
// finishes the operation or undoes it, so that the books hold the old year
// or the new one whole, never a mixture.
//
// A restore builds the year in a fresh folder and is committed by the
// configuration write that names that folder; a rollover moves its files
// into the year's folder, keeping what it replaces aside in its working
// folder, and is committed by the configuration write that makes the new
// year current.
#pragma once

#include <string>
#include <vector>

struct YearJournal {
  std::string operation;  // "Restore" or "Rollover"
  // "Build": nothing live changed yet, undone at start. A restore's
  // "Commit": finished at start. A rollover's "Move": its files are being
  // moved into the year's folder; finished when the configuration already
  // makes the new year current, else undone.
  std::string state;
  std::string year;       // the year made, four digits
  std::string folder;     // the year's folder once the operation is over
  std::string oldFolder;  // restore: the folder the year had (empty for a new year)
  std::string work;       // rollover: its working folder
  bool madeFolder = false;             // rollover: `folder` was made by it
  std::vector<std::string> names;      // rollover: the files moved into `folder`
  std::vector<std::string> placed;     // restore: program files whose "<path>.part~" goes into place
};

std::string YearJournalPath(const char* programFolder);
bool WriteYearJournal(const char* programFolder, const YearJournal& journal);
// False when there is none, or it cannot be read (then `error` says why).
bool ReadYearJournal(const char* programFolder, YearJournal* journal, std::string* error);
bool ParseYearJournal(const std::string& text, YearJournal* journal, std::string* error);
void RemoveYearJournal(const char* programFolder);

// Finishing and undoing, also used by the operations themselves.
// A restore: puts the program files in place, names `folder` as the year's
// in the year list and the configuration, and removes the year's files left
// in its old folder. False when the configuration could not be written
// (the journal then stays for the next start).
bool FinishRestore(const YearJournal& journal);
// Removes what a restore built, leaving the year as it was.
void UndoRestore(const YearJournal& journal);
// Puts back what a rollover replaced in the year's folder and removes what
// it moved there, then its working folder.
void UndoRolloverMove(const YearJournal& journal);
// Removes a working folder and everything in it.
void RemoveWorkFolder(const std::string& work);

// At start, after the configuration was read: finishes or undoes the
// operation a journal records, then tidies what older runs left in the
// program folder and the year folders: "*.part~" copies are removed, a
// "*.old~" file goes back in place when its file is missing (else it is
// removed), and ".rollover-*" working folders are removed.
void RecoverYearOperations();
