// The export writer: one data set of the loaded year as a delimited text
// file for spreadsheets and mail merges.
//
// Scouts, adults, friends, equipment and accounts are written here, one
// line per live record after an optional row of field names; the register
// is written by the register export. Lines end in CR LF. A value never
// shifts the fields of its line: inside qualified text the qualifier is
// doubled, and a value that would otherwise hold the delimiter or a line
// break is put between double quotes.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Set letters: 'S' scouts, 'D' adults, 'F' friends, 'E' equipment,
// 'A' accounts, 'R' register. Shows every failure itself; after a
// successful export offers the set's format report.
void ExportData(char setLetter, const std::vector<int>& accounts, char delimiter, const char* qualifier,
                int namesRow, const char* path);

// The same without the closing question: the error text, empty on success.
std::string WriteExportFile(char setLetter, const std::vector<int>& accounts, char delimiter,
                            const char* qualifier, int namesRow, const char* path);

// The format report (260-265) that documents a set's lines; 0 for none.
int ExportFormatReportId(char setLetter);

