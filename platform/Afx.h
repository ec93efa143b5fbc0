// The platform layer's framework types in one include.
#pragma once

#include "platform/base/types.h"
#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/CObject.h"
#include "platform/base/Exceptions.h"
#include "platform/base/CTime.h"
#include "platform/base/CFile.h"
#include "platform/base/CArchive.h"
#include "platform/base/Collections.h"
#include "platform/base/Codepage.h"
#include "platform/base/Resources.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/Dc.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/GdiApi.h"
