#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need (only the missing ones).
set -euo pipefail
PAQUETES=(cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite libqt6sql6-psql libqt6svg6
  libsqlite3-dev libpq-dev sqlite3 libgtest-dev postgresql fonts-dejavu-core xvfb xauth
  qt6-translations-l10n poppler-utils)
# poppler-utils: pdftotext, with which the tests read printed reports back.
# qt6-translations-l10n: Qt's own dialogs in Spanish (Qt's runtime only recommends it).
FALTAN=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || FALTAN+=("$p")
done
if [ ${#FALTAN[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q "${FALTAN[@]}"
fi
