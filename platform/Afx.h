// The platform layer's framework types in one include.
#pragma once

#include "platform/types.h"
#include "platform/CString.h"
#include "platform/Geometry.h"
#include "platform/CObject.h"
#include "platform/Exceptions.h"
#include "platform/CTime.h"
#include "platform/CFile.h"
#include "platform/CArchive.h"
#include "platform/Collections.h"
#include "platform/Codepage.h"
#include "platform/Resources.h"
#include "platform/GdiDefs.h"
#include "platform/GdiObject.h"
#include "platform/Dc.h"
#include "platform/WindowDc.h"
#include "platform/GdiApi.h"
