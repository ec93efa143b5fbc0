// The standard controls and their wrappers in one include.
#pragma once

#include "platform/controls/CtlButton.h"
#include "platform/controls/CtlComboBox.h"
#include "platform/window/CtlDefs.h"
#include "platform/controls/CtlEdit.h"
#include "platform/controls/CtlListBox.h"
#include "platform/controls/CtlRichEdit.h"
#include "platform/controls/CtlScrollBar.h"
#include "platform/controls/CtlStatic.h"
