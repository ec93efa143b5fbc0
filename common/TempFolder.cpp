#include "common/TempFolder.h"

char TempFolder[MAX_PATH];
