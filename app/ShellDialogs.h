// The dialogs of the application shell that the main view opens: data
// password, tip of the day, FAQ browser, About box and unit information.
// Each is reached through one entry here, filled by the file that builds the
// dialog; a command whose entry is empty stays disabled.
#pragma once

struct ShellDialogs {
  // The password prompt with three attempts; true when the typed password
  // matched `passwordHash`.
  bool (*verifyPassword)(const char* passwordHash, const char* prompt) = nullptr;
  // The tip of the day; with `atStartup` shown only when its start-up
  // option is on.
  void (*tipOfTheDay)(bool atStartup) = nullptr;
  // Reads the FAQ files on first use and runs the browser.
  void (*faqs)() = nullptr;
  void (*about)() = nullptr;
  void (*unitInformation)() = nullptr;
};

ShellDialogs& TheShellDialogs();

// Fills the entries with the shell's own dialogs (the program does so at
// start; tests may leave them empty or set their own).
void InstallShellDialogs();
