#include "platform/rtl/StrUtils.h"
#include "platform/ui/Menus.h"

namespace {
String KeyName(WORD key) {
  switch (key) {
    case VK_BACK: return u"BkSp";
    case VK_TAB: return u"Tab";
    case VK_ESCAPE: return u"Esc";
    case VK_RETURN: return u"Enter";
    case VK_SPACE: return u"Space";
    case VK_PRIOR: return u"PgUp";
    case VK_NEXT: return u"PgDn";
    case VK_END: return u"End";
    case VK_HOME: return u"Home";
    case VK_LEFT: return u"Left";
    case VK_UP: return u"Up";
    case VK_RIGHT: return u"Right";
    case VK_DOWN: return u"Down";
    case VK_INSERT: return u"Ins";
    case VK_DELETE: return u"Del";
    default: break;
  }
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return String(1, static_cast<char16_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return u"F" + AsciiToString(std::to_string(key - VK_F1 + 1));
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return u"Num " + AsciiToString(std::to_string(key - VK_NUMPAD0));
  return String();
}
}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result |= scShift;
  if (Shift.Contains(ssCtrl)) result |= scCtrl;
  if (Shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& Key, TShiftState& Shift) {
  Key = shortCut & 0xFF;
  Shift = TShiftState();
  if (shortCut & scShift) Shift.Include(ssShift);
  if (shortCut & scCtrl) Shift.Include(ssCtrl);
  if (shortCut & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut shortCut) {
  String name = KeyName(shortCut & 0xFF);
  if (name.empty()) return String();
  String result;
  if (shortCut & scShift) result += u"Shift+";
  if (shortCut & scCtrl) result += u"Ctrl+";
  if (shortCut & scAlt) result += u"Alt+";
  return result + name;
}

TShortCut TextToShortCut(const String& text) {
  String rest = text;
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (auto [prefix, bit] : {std::pair<const char16_t*, TShortCut>{u"Shift+", scShift},
                               {u"Ctrl+", scCtrl}, {u"Alt+", scAlt}}) {
      String p(prefix);
      if (rest.size() > p.size() && SameText(rest.substr(0, p.size()), p)) {
        modifiers |= bit;
        rest = rest.substr(p.size());
        found = true;
      }
    }
  }
  for (WORD key = 1; key < 256; ++key) {
    String name = KeyName(key);
    if (!name.empty() && SameText(name, rest)) return static_cast<TShortCut>(key | modifiers);
  }
  return scNone;
}
