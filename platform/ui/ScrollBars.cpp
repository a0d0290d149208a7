#include "platform/ui/ScrollBars.h"

void SetScrollInfoIfChanged(HWND Handle, int Bar, const SCROLLINFO& Info) {
  SCROLLINFO now{};
  now.cbSize = sizeof(now);
  now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (GetScrollInfo(Handle, Bar, &now)) {
    const bool same = (!(Info.fMask & SIF_RANGE) || (now.nMin == Info.nMin && now.nMax == Info.nMax)) &&
                      (!(Info.fMask & SIF_PAGE) || now.nPage == Info.nPage) &&
                      (!(Info.fMask & SIF_POS) || now.nPos == Info.nPos);
    if (same) return;
  }
  SCROLLINFO copy = Info;
  SetScrollInfo(Handle, Bar, &copy, FALSE);
  RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}
