// Undo and redo commands: the parameter object's lists own them; the
// command factory of the feature library makes them.
#pragma once

#include "platform/Afx.h"

class CGXGridCore;

class CGXCommand : public CObject {
 public:
  ~CGXCommand() override = default;
  // Carries the command out on a grid (undoing what its opposite did).
  virtual BOOL Execute(CGXGridCore* grid, int commandMode) = 0;
  // Commands recorded inside an open transaction.
  virtual void AddCommand(CGXCommand* command) { delete command; }
};
