#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, and
# the pt_BR.UTF-8 locale. Safe to run again: it only installs what is missing.
set -euo pipefail

PACKAGES=(
  wine wine64 wine64-tools libwine-dev fonts-wine xvfb xauth x11-utils imagemagick
  cmake g++ make googletest libbenchmark-dev
  libmariadb-dev mariadb-server mariadb-client
  libzint-dev zlib1g-dev libjpeg62-turbo-dev libpng-dev zbar-tools
  cups printer-driver-cups-pdf poppler-utils
  fonts-dejavu-core fonts-liberation locales python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^pt_BR\.utf-\?8$'; then
  if [[ $(id -u) -eq 0 ]]; then
    sed -i 's/^# *pt_BR.UTF-8 UTF-8/pt_BR.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^pt_BR.UTF-8 UTF-8' /etc/locale.gen || echo 'pt_BR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  else
    echo "warning: locale pt_BR.UTF-8 is missing (run locale-gen as root)" >&2
  fi
fi
