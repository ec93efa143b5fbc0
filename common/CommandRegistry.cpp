#include "common/CommandRegistry.h"

#include <map>

namespace {

std::map<UINT, CommandHandler>& Handlers() {
  static std::map<UINT, CommandHandler> handlers;
  return handlers;
}

}  // namespace

void RegisterCommand(UINT id, CommandHandler handler) {
  if (handler)
    Handlers()[id] = handler;
  else
    Handlers().erase(id);
}

CommandHandler FindCommand(UINT id) {
  const auto it = Handlers().find(id);
  return it == Handlers().end() ? nullptr : it->second;
}

void ClearCommands() { Handlers().clear(); }
