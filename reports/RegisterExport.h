// The register export: the registers of chosen accounts over a date range
// as a delimited text file, one line per posting with the running balance.
//
// Two callers write it: the export writer (data set "Register", the whole
// year) and the account register report, which writes a tab-delimited file
// into the temporary folder and reads it back. It sits with the reports so
// that both can reach it.
//
// Each account gives an opening-balance line, a line per transaction of its
// own ("primary") and per support line of another transaction that posts to
// it ("<sup>"), and for the equipment account the hand-entered items and the
// depreciation of the range. Lines end in CR LF.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The fifteen fields of a line, in file order.
inline constexpr int kRegisterExportFields = 15;
extern const char* const RegisterExportFieldNames[kRegisterExportFields];

// One line's values (the account's number and name are given apart).
struct RegisterExportRow {
  std::string number;       // transaction number, "<sup>", or empty
  std::string date;         // mm/dd/yy or empty
  std::string description;  // payee or the line kind's own text
  std::string withdrawal;   // amount fields, or empty
  std::string deposit;
  std::string balance;
  std::string cleared;  // "X", " " or empty
  std::string split;    // "X", " " or empty
  std::string remarks;
  std::string supportId;  // "%3d", "%d", "<s>" or empty
  std::string supportName;
  std::string reserveId;  // "%3d" or empty
  std::string reserveName;
};

// The amount field of the file: ten characters for amounts below $100,000
// (" 1234.50 ", "(   12.00)"), and wider, never underscores, for larger
// ones, so that no amount is lost in an export.
std::string FormatRegisterAmount(long long cents);

// Writes one data line; sets `error` ("Failed write: register export") when
// the file's error indicator is set afterwards.
void WriteRegisterExportRow(std::FILE* file, int account, const std::string& accountName,
                            const RegisterExportRow& row, char delimiter, const char* qualifier,
                            std::string& error);

// Order letters: 'T' by account, number and date; 'D' by date, account and
// number; any other by account, payee and date. Dates are yyyymmdd, both
// days included. The number of lines written (the names row included), or
// 0 after a failure, which it shows.
int ExportRegister(const char* path, const std::vector<int>& accounts, char order, int progressOffset,
                   char delimiter, const char* qualifier, int namesRow, int idleAccounts, const char* startDate,
                   const char* endDate);
