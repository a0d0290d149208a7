#!/usr/bin/env bash
# Creates the Wine prefix once, before anything runs in parallel in it: Wine
# draws window frames itself, and the fonts the forms name map to installed
# ones so text metrics are the same on every machine.
set -euo pipefail
source "$(dirname "$0")/env.sh"
stamp=$WINEPREFIX/.brenquia-ready
# Wine does not look for its own fonts where Debian puts them. Marlett draws
# the caption buttons: it goes into the prefix's Fonts folder (the others
# would change which fonts the forms get).
wine_fonts() {
  [[ -d /usr/share/wine/fonts ]] || return 0
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -u /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}
[[ -f $stamp ]] && { wine_fonts; exit 0; }
mkdir -p "$WINEPREFIX"
wine wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Tahoma"="DejaVu Sans"
"MS Sans Serif"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"
"Segoe UI"="DejaVu Sans"
"Impact"="DejaVu Sans Condensed"
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"
REG
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
wine_fonts
touch "$stamp"
