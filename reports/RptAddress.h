// The return address and address format of the member statements printed
// for window envelopes: RptAddressLines and the format in RptOptionG,
// remembered in settings section "RPTADDR", and the Addresses dialog that
// edits them. The default return address is the unit's own.
#pragma once

#include <string>
#include <vector>

// The unit's name, address lines and city line, those not empty, each cut
// to 34 characters.
std::vector<std::string> DefaultReturnAddress();
// RptAddressLines and RptOptionG from "RPTADDR" (or the default address).
void LoadRptAddress();
// RptOptionG, whether the address differs from the default, and when it
// does the five lines, into "RPTADDR".
void SaveRptAddress();
// Runs the Addresses dialog on RptAddressLines and RptOptionG; both change
// only when it ends with OK.
void EditLabelAddresses();
