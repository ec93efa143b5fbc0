// Range names of an engine sheet: definition, lookup, deletion and their
// text form "name=reference".
#pragma once

#include <string>
#include <vector>

#include "grid/formula/GXEngine.h"

// A name starts with a letter, "_" or "$"; then letters, digits, "$", "." or "_".
bool GXIsValidName(const char* name);
int GXDefineName(int sheet, const char* name, const GX_REF& ref);
// The record of a name (case-insensitive) and its reference, or null.
GX_NAME* GXFindName(int sheet, const char* name, GX_REF* ref);
int GXDeleteName(int sheet, const char* name);
void GXRestoreName(int sheet, GX_NAME* record);
void GXFreeNames(int sheet);
// One "%s=%s" text per name, in list order.
std::vector<std::string> GXNamesToText(int sheet);
// Splits an entry at its first "="; false for an entry without a name or
// with an invalid reference.
bool GXNameFromText(const std::string& entry, std::string& name, GX_REF& ref);
