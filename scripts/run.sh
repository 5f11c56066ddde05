#!/usr/bin/env bash
# Installs what is missing, builds the program, creates the demo company (SQLite)
# the first time, and starts Rz731p on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_TESTS=OFF -DVEXA_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)" --target Rz731p vexa-empresa
DATOS=${VEXA_DATOS:-$HOME/.local/share/vexa}
mkdir -p "$DATOS"
DEMO="$DATOS/demo.db"
[ -f "$DEMO" ] || ./build/vexa-empresa --archivo "$DEMO" --demo
# The user code goes last: everything after the first ";" that is not a key item.
exec ./build/Rz731p "/NoMostrarSlash;@Server=;@DbName=$DEMO;@Usuario=;@Password=;ADMIN"
