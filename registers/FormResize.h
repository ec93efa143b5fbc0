// Resizing of the transaction screens: the list grows with the window, the
// buttons along the right edge follow it right and down, everything below
// the list moves down. The size a screen was left at is kept in its
// settings section for the next opening.
#pragma once

#include <initializer_list>

#include "platform/base/types.h"

class CWnd;
struct SettingsSection;

struct FormSize {
  int minCx = 0, minCy = 0;    // the template's size: never smaller
  int lastCx = 0, lastCy = 0;  // the size the controls are laid out for
  int firstSize = 1;           // the size message of the window's making
};

// Takes the window's present size as minimum and last size.
void StartFormSize(CWnd* dlg, FormSize& size);
// Lays the controls out for the window's present size (raised to the
// minimum); the size reached becomes the last size.
void ResizeForm(CWnd* dlg, FormSize& size, int listId, std::initializer_list<int> rightIds);

// The size kept under keys X and Y of `section` (0 for one never kept).
void LoadFormPlacement(SettingsSection* section, int* cx, int* cy);
void SaveFormPlacement(SettingsSection* section, int cx, int cy);
