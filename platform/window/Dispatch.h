// Window procedures as dispatchers: each message a procedure answers itself
// has its own named handler, found in a table; the procedure keeps only what
// comes before every message (finding the window's state) and what follows
// when no handler answers.
#pragma once

#include <unordered_map>

#include "platform/base/types.h"

namespace wnd {

template <class State>
using MessageHandler = LRESULT (*)(State* state, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

template <class State>
using HandlerTable = std::unordered_map<UINT, MessageHandler<State>>;

// True when the table holds a handler for the message; *result is its answer.
template <class State>
bool Dispatch(const HandlerTable<State>& table, State* state, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
              LRESULT* result) {
  auto it = table.find(msg);
  if (it == table.end()) return false;
  *result = it->second(state, hwnd, msg, wParam, lParam);
  return true;
}

}  // namespace wnd
