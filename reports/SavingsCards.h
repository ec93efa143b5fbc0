// Personal savings cards (33): one card per member and schedule with a box
// per due date, the boxes the member's payments cover marked; classic
// cards with 60 numbered boxes round the edge, or dated cards.
#pragma once

#include "reports/RptContext.h"

int BuildSavingsCards(RptContext* context);
void InstallSavingsCards();
