#!/usr/bin/env bash
# Builds Vorenta and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORENTA_BUILD_TESTS=OFF
cmake --build build/release --target vorenta vorenta-cli

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "Vorenta is built (build/release/app/vorenta) but cannot start: no graphical display." >&2
  echo "Run this command inside a desktop session, where DISPLAY or WAYLAND_DISPLAY is set." >&2
  exit 1
fi
exec build/release/app/vorenta "$@"
