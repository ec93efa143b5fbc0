// Colours picked by name or by their red, green and blue parts: the two
// tables of named colours, and the page behaviour that both colour pages of
// the Preferences sheet share (a name box, three part edits with spinners
// from 0 to 255).
#pragma once

#include "app/PrefPage.h"
#include "platform/base/types.h"

struct NamedColour {
  const char* name;
  int red, green, blue;
};

inline constexpr int kBackgroundColourNames = 17;
inline constexpr int kGridColourNames = 25;
// The "Windows Default" row takes the system's workspace colour when the
// Background page opens.
extern NamedColour BackgroundColourNames[kBackgroundColourNames];
extern const NamedColour GridColourNames[kGridColourNames];

// The first row with these parts, or null.
const NamedColour* MatchColourName(const NamedColour* table, int count, int red, int green, int blue);
// A part's text as a number from 0 to 255 (anything else is 0).
int ClampColourPart(const char* text);

class CColourPage : public CPrefPage {
 public:
  CColourPage(UINT templateId, const NamedColour* table, int count);

  // The parts as a colour, and a colour into the parts (and the name).
  COLORREF PartsColour() const;
  void SetParts(COLORREF colour);

  CString m_strName, m_strRed, m_strGreen, m_strBlue;
  int m_bChanged = 0;
  int m_bInitialised = 0;
  int m_bSpinPending = 0;

  bool Changed() const override { return m_bChanged != 0; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Fills the name box and sets the spinners' ranges.
  void InitColourControls();
  // The name of the first row matching the parts, or empty.
  void MatchName();
  // Runs after every completed change of the colour.
  virtual void OnColourChanged() = 0;
  // A name chosen in the box (the name's parts are already in the texts).
  virtual void OnNameChosen() { OnColourChanged(); }

 private:
  // Clamps the three texts, shows them and runs the page's update.
  void ApplyParts();
  const NamedColour* table_;
  int count_;
  int updating_ = 0;
};
