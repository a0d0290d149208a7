#!/usr/bin/env bash
# Installs what is missing, builds, prepares a local database that persists
# between runs, and starts the program. Without a display it runs under Xvfb
# and saves a screenshot of the screen once the main window is up.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/env.sh

scripts/setup.sh
scripts/build.sh
scripts/wineprefix.sh

DB_DIR=${BRQ_RUN_DB_DIR:-$BUILD_DIR/rundb}
port=$(scripts/db.sh start "$DB_DIR")
echo "Local database on 127.0.0.1:$port (data in $DB_DIR)"
# The schema script is safe to repeat: a database made by an earlier
# version gets what was added since (the receipt counters, new keys).
if [[ -f app/schema.sql ]]; then
  scripts/db.sh schema "$DB_DIR"
fi
if [[ -x scripts/prepare-run.sh ]]; then
  scripts/prepare-run.sh "$DB_DIR" "$port"
fi

# Wine's own buttons and dialogs (Yes/No, the file dialog) speak Portuguese,
# as the program's texts do.
export LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8

exe=$BUILD_DIR/app/Brenquia.exe
cd "$(dirname "$exe")"
if [[ -n ${DISPLAY:-} ]]; then
  exec "$exe"
fi

shot=$BUILD_DIR/brenquia-screen.png
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & pid=$!
  for _ in $(seq 1 60); do
    sleep 1
    if xwininfo -root -tree 2>/dev/null | grep -q "Brenquia"; then break; fi
  done
  sleep 2
  import -window root "$2"
  echo "Screenshot: $2"
  kill $pid 2>/dev/null || true
  wineserver -k 2>/dev/null || true
' _ "$exe" "$shot"
