#include "skin/engine/SysColors.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/ColorFuncs.h"
#include <cstring>
#include <map>

namespace {
// mov rax, target; jmp rax: a 64-bit build cannot reach the replacement
// with a 5-byte relative jump.
constexpr size_t JumpSize = 12;

struct TPatchSlot {
  const char* Module;
  const char* Name;
  void* Replacement;
  uint8_t Saved[JumpSize] = {};
  bool Patched = false;
};

DWORD WINAPI SkinGetSysColor(int Index);
HBRUSH WINAPI SkinGetSysColorBrush(int Index);
HPEN WINAPI SkinCreatePen(int Style, int Width, COLORREF Color);

TPatchSlot Slots[] = {
    {"user32.dll", "GetSysColor", reinterpret_cast<void*>(SkinGetSysColor)},
    {"user32.dll", "GetSysColorBrush", reinterpret_cast<void*>(SkinGetSysColorBrush)},
    {"gdi32.dll", "CreatePen", reinterpret_cast<void*>(SkinCreatePen)},
};
TPatchSlot& ColorSlot = Slots[0];
TPatchSlot& BrushSlot = Slots[1];
TPatchSlot& PenSlot = Slots[2];

// The function's code, past an indirect jump through an import slot.
uint8_t* CodeOf(const TPatchSlot& Slot) {
  const HMODULE module = GetModuleHandleA(Slot.Module);
  auto* code = module ? reinterpret_cast<uint8_t*>(GetProcAddress(module, Slot.Name)) : nullptr;
  if (code && code[0] == 0xFF && code[1] == 0x25) {
    int32_t displacement;
    std::memcpy(&displacement, code + 2, sizeof(displacement));
    std::memcpy(&code, code + 6 + displacement, sizeof(code));
  }
  return code;
}

bool WriteCode(uint8_t* Code, const uint8_t* Bytes) {
  DWORD old = 0;
  if (!VirtualProtect(Code, JumpSize, PAGE_EXECUTE_READWRITE, &old)) return false;
  std::memcpy(Code, Bytes, JumpSize);
  VirtualProtect(Code, JumpSize, old, &old);
  FlushInstructionCache(GetCurrentProcess(), Code, JumpSize);
  return true;
}

void Patch(TPatchSlot& Slot) {
  if (Slot.Patched) return;
  uint8_t* code = CodeOf(Slot);
  if (!code) return;
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), code, Slot.Saved, JumpSize, &read) || read != JumpSize) return;
  uint8_t jump[JumpSize] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
  std::memcpy(jump + 2, &Slot.Replacement, sizeof(void*));
  Slot.Patched = WriteCode(code, jump);
}

void Restore(TPatchSlot& Slot) {
  if (!Slot.Patched) return;
  if (uint8_t* code = CodeOf(Slot)) WriteCode(code, Slot.Saved);
  Slot.Patched = false;
}

// The platform's own answer: the patch is lifted for the call.
template <class F>
auto CallReal(TPatchSlot& Slot, F Call) {
  Restore(Slot);
  auto result = Call();
  Patch(Slot);
  return result;
}

TColor MainMix(const TsSkinManager& Manager, TColor With) {
  return BlendColorPair(Manager.Model.Palette[pcMainColor], With, 0.8);
}

// One brush per colour handed out; callers never free system brushes.
std::map<COLORREF, HBRUSH>& Brushes() {
  static std::map<COLORREF, HBRUSH> brushes;
  return brushes;
}

DWORD WINAPI SkinGetSysColor(int Index) {
  // Without a manager the platform answers rather than black everywhere.
  const TsSkinManager* sm = DefaultManager;
  if (sm) {
    const auto& p = sm->Model.Palette;
    switch (Index) {
      case COLOR_WINDOW: return static_cast<DWORD>(p[pcEditBG]);
      case COLOR_WINDOWFRAME: return static_cast<DWORD>(p[pcBorder]);
      case COLOR_WINDOWTEXT: return static_cast<DWORD>(p[pcEditText]);
      case COLOR_HIGHLIGHT: return static_cast<DWORD>(p[pcSelectionBG_Focused]);
      case COLOR_HIGHLIGHTTEXT: return static_cast<DWORD>(p[pcSelectionText_Focused]);
      case COLOR_BTNSHADOW:
      case COLOR_3DDKSHADOW: return static_cast<DWORD>(MainMix(*sm, 0));
      case COLOR_3DLIGHT: return static_cast<DWORD>(MainMix(*sm, 0xFFFFFF));
      default: break;
    }
  }
  return CallReal(ColorSlot, [Index] { return GetSysColor(Index); });
}

HBRUSH WINAPI SkinGetSysColorBrush(int Index) {
  if (const TsSkinManager* sm = DefaultManager) {
    const auto& p = sm->Model.Palette;
    TColor color = ColorNone;
    switch (Index) {
      case COLOR_WINDOW: color = p[pcEditBG]; break;
      case COLOR_WINDOWTEXT: color = p[pcEditText]; break;
      case COLOR_HIGHLIGHT: color = p[pcSelectionBG_Focused]; break;
      case COLOR_HIGHLIGHTTEXT: color = p[pcSelectionText_Focused]; break;
      default: break;
    }
    if (color != ColorNone) {
      HBRUSH& brush = Brushes()[static_cast<COLORREF>(color)];
      if (!brush) brush = CreateSolidBrush(static_cast<COLORREF>(color));
      return brush;
    }
  }
  return CallReal(BrushSlot, [Index] { return GetSysColorBrush(Index); });
}

HPEN WINAPI SkinCreatePen(int Style, int Width, COLORREF Color) {
  if (const TsSkinManager* sm = DefaultManager) {
    const auto& p = sm->Model.Palette;
    switch (Color) {
      case 5: Color = static_cast<COLORREF>(p[pcEditBG]); break;
      case 6: Color = static_cast<COLORREF>(p[pcBorder]); break;
      case 13: Color = static_cast<COLORREF>(p[pcSelectionBG_Focused]); break;
      case 14: Color = static_cast<COLORREF>(p[pcSelectionText_Focused]); break;
      case 15: Color = static_cast<COLORREF>(p[pcMainColor]); break;
      case 16:
      case 21: Color = static_cast<COLORREF>(MainMix(*sm, 0)); break;
      case 22: Color = static_cast<COLORREF>(MainMix(*sm, 0xFFFFFF)); break;
      case 0xC0C0C0:
      case 0xF0F0F0: Color = static_cast<COLORREF>(BlendColorPair(p[pcEditText], p[pcEditBG], 0.15)); break;
      default: break;
    }
  }
  return CallReal(PenSlot, [=] { return CreatePen(Style, Width, Color); });
}
}  // namespace

void PatchSysColors() {
  for (auto& slot : Slots) Patch(slot);
}

void RestoreSysColors() {
  for (auto& slot : Slots) Restore(slot);
  for (auto& entry : Brushes()) DeleteObject(entry.second);
  Brushes().clear();
}

bool SysColorsPatched() { return ColorSlot.Patched || BrushSlot.Patched || PenSlot.Patched; }
