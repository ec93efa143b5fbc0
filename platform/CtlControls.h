// The standard controls and their wrappers in one include.
#pragma once

#include "platform/CtlButton.h"
#include "platform/CtlComboBox.h"
#include "platform/CtlDefs.h"
#include "platform/CtlEdit.h"
#include "platform/CtlListBox.h"
#include "platform/CtlScrollBar.h"
#include "platform/CtlStatic.h"
