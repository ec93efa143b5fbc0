#include "app/ShellDialogs.h"

ShellDialogs& TheShellDialogs() {
  static ShellDialogs dialogs;
  return dialogs;
}
