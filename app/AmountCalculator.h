// Gives the amount edits the grid library's pop-up calculator (their right
// button opens it over the field). Start-up installs it once.
#pragma once

void InstallAmountCalculator();
