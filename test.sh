#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless against a
# private MariaDB server that lives only as long as this script.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/env.sh

scripts/setup.sh
scripts/build.sh
scripts/wineprefix.sh

DB_DIR=$BUILD_DIR/testdb
CUPS_DIR=$BUILD_DIR/testcups
trap '"$ROOT/scripts/db.sh" stop "$DB_DIR"; "$ROOT/scripts/cups.sh" stop "$CUPS_DIR"; wineserver -k 2>/dev/null || true' EXIT
export BRQ_DB_HOST=127.0.0.1
BRQ_DB_PORT=$(scripts/db.sh start "$DB_DIR")
export BRQ_DB_PORT BRQ_DB_USER=root BRQ_DB_PASSWORD=
export BRQ_DB_SOCKET=$DB_DIR/mysqld.sock
[[ -f app/schema.sql ]] && scripts/db.sh schema "$DB_DIR"
# Print jobs go to a private CUPS server whose default queue "PDF" writes
# each job as a PDF into $HOME/PDF, named after the job's title.
CUPS_SERVER=$(scripts/cups.sh start "$CUPS_DIR")
export CUPS_SERVER
export BRQ_ARTIFACTS=$BUILD_DIR/artifacts
mkdir -p "$BRQ_ARTIFACTS"

# The program runs as at the counter: Wine's own buttons and dialogs (Yes/No,
# the file dialog) speak Portuguese, as the program's texts do.
export LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8

cd "$BUILD_DIR"
# ctest waits for every process that holds a test's output. A test that
# started the Wine server and its desktop would wait for them to end: 3 s a
# test when they come and go, or the whole run when they stay. They start
# here instead, once, with their output elsewhere, and stay to the end.
# A test process that dies while Wine starts it, on a loaded machine, gets
# one more run; a test that fails twice fails the suite.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineserver -p </dev/null >/dev/null 2>&1
  tests/platform_tests.exe --gtest_filter=UiFixture.FormWithChildrenCreatesAndFreesItsWindows \
    </dev/null >/dev/null 2>&1 || true
  exec ctest --output-on-failure --repeat until-pass:2 -j "$(nproc)" "$@"' test.sh "$@"
