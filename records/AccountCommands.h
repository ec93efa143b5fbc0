// The Edit menu's commands of the chart of accounts and its neighbours:
// Accounts, Profit Centers and Friends. The program installs them at
// start-up; until then the commands stay disabled.
#pragma once

void InstallAccountDialogs();
