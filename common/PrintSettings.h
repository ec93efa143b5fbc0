// Report font and page margins: section "PRINT" for all reports and
// "PAGE%d" for what one report changes, merged with the built-in defaults
// and raised to what the printer can print.
#pragma once

#include <cstddef>

// Built-in defaults.
inline constexpr const char* kPrintDefaultFace = "Arial";
inline constexpr int kPrintDefaultSize = 10;
inline constexpr int kPrintDefaultWeight = 400;
inline constexpr float kPrintDefaultLeft = 0.75f;
inline constexpr float kPrintDefaultRight = 0.75f;
inline constexpr float kPrintDefaultTop = 0.75f;
inline constexpr float kPrintDefaultBottom = 0.5f;

// Each output may be null; a face name longer than `faceSize` holds is cut.
void GetPrintSettings(int page, int defaultPortrait, char* face, size_t faceSize, int* size, int* weight,
                      int* italic, int* portrait, float* left, float* right, float* top, float* bottom);
// Stores what differs: "PRINT" keeps what differs from the built-in defaults,
// "PAGE%d" what differs from "PRINT". The orientation (key E, pages only) is
// stored when it differs from `defaultPortrait`, the report's own default;
// without one (-1) it is always stored, so that a choice is never lost.
void SavePrintSettings(int page, const char* face, int size, int weight, int italic, int portrait,
                       float left, float right, float top, float bottom, int defaultPortrait = -1);
