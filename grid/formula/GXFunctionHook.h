// Function resolution for formulas: a hook object that the engine state may
// hold maps upper-case function names to descriptors. The engine ships no
// function library; without a hook every call fails to compile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/formula/GXCode.h"
#include "platform/Afx.h"

// How a function takes an argument: required, optional, repeating or
// skipped (bits 1-2 of the flag word); bit 0 passes it unevaluated.
constexpr uint32_t kGXParamUnevaluated = 1;
constexpr uint32_t kGXParamRequired = 0 << 1;
constexpr uint32_t kGXParamOptional = 1 << 1;
constexpr uint32_t kGXParamRepeating = 2 << 1;
constexpr uint32_t kGXParamSkipped = 3 << 1;

struct GX_PARAM_DESC {
  int16_t type = 0;
  uint32_t flags = 0;
};

// A function's implementation: fills the result from the arguments (in
// source order); it may raise an error through GXEvalRaise.
using GXFunctionEntry = void (*)(GX_OPERAND& result, std::vector<GX_OPERAND>& args);

struct GX_FUNCTION_DESC {
  std::string name;
  GXFunctionEntry entry = nullptr;
  int noCall = 0;
  std::vector<GX_PARAM_DESC> params;
};

class CGXFunctionHook : public CObject {
 public:
  ~CGXFunctionHook() override = default;
  virtual const GX_FUNCTION_DESC* LookupFunction(const char* upperName) = 0;
};

// Installs (or with null removes) the engine's function hook; the engine owns it.
void GXSetFunctionHook(CGXFunctionHook* hook);
const GX_FUNCTION_DESC* GXLookupFunction(const char* name);
