#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, starts a throwaway PostgreSQL server on loopback
# and runs every test on both database backends.
#
# Fails when the server can't be started: every PostgreSQL case must run here
# (VEXA_EXIGIR_PG=1 makes the test fixture fail, not skip, a PostgreSQL case
# without a server). At the end it prints how many cases ran on each backend
# and fails when none ran on PostgreSQL.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar.sh
BUILD=${VEXA_BUILD_TEST:-build-test}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXA_SANITIZE=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)"

# A failing start script stops the run here (set -e sees the substitution's status).
PG_LINEA=$(bash scripts/pg-test-server.sh | tail -1) || { echo "test.sh: no se pudo iniciar el servidor PostgreSQL de prueba" >&2; exit 1; }
if [[ ! "$PG_LINEA" =~ ^VEXA_PG=[^[:space:]]+:[0-9]+$ ]]; then
  echo "test.sh: respuesta inesperada del servidor PostgreSQL de prueba: '$PG_LINEA'" >&2
  exit 1
fi
export "$PG_LINEA"
export VEXA_EXIGIR_PG=1

# Each test program writes one line per backend into this folder (tests/support/main.cpp).
CUENTAS=$(mktemp -d "${TMPDIR:-/tmp}/vexa-casos-XXXXXX")
trap 'rm -rf "$CUENTAS"' EXIT
export VEXA_CUENTA_CASOS="$CUENTAS"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
SALIDA="$CUENTAS/ctest.log"
estado=0
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" 2>&1 | tee "$SALIDA" || estado=$?

SQLITE=0; PG=0
for f in "$CUENTAS"/casos-*; do
  [ -e "$f" ] || continue
  while read -r motor n; do
    case "$motor" in
      SQLite) SQLITE=$((SQLITE + n)) ;;
      PostgreSQL) PG=$((PG + n)) ;;
    esac
  done <"$f"
done
echo
echo "casos por motor: SQLite=$SQLITE PostgreSQL=$PG"
if [ "$PG" -eq 0 ]; then
  echo "test.sh: ningún caso corrió sobre PostgreSQL" >&2
  estado=1
fi
if [ "$SQLITE" -eq 0 ]; then
  echo "test.sh: ningún caso corrió sobre SQLite" >&2
  estado=1
fi
# ctest's closing line stays the last word of the run.
grep -E '^[0-9]+% tests passed' "$SALIDA" | tail -1 || true
exit "$estado"
