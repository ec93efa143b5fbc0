// What every folder picker built on the file-open dialog does to it: only
// the folders stay in view.
#pragma once

class CWnd;

// Hides the file name, file list and file type controls of `dialog` and puts
// a dummy name that any folder accepts in the name box, so that OK returns
// the folder shown (the path of that name in it). The dummy name is never a
// real file.
void ShowOnlyFolders(CWnd& dialog);
