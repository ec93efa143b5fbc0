// The screen's pixels per inch, read once: printing maps screen pixels
// onto the device with it.
#pragma once

#include "platform/Afx.h"

CSize GXScreenPixelsPerInch();
