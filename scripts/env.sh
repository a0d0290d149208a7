# Sourced by the scripts: where things live and how Wine runs.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BUILD_TYPE=${BUILD_TYPE:-Release}
export PATH=/usr/lib/wine:$PATH
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# A display without X resources (Xvfb) makes the X library look for its
# resource files again at every font Wine selects; these stand in.
export XENVIRONMENT=${XENVIRONMENT:-$ROOT/scripts/Xresources}
