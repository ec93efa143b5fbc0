// The program's window for a grid's print preview: the preview window the
// reports use, showing the grid's pages, whose Print prints the grid.
#pragma once

// Called once at start-up: grids' Print Preview commands show their pages.
void InstallGridPreview();
