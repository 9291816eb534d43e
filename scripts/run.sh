#!/usr/bin/env bash
# Builds the editor and starts it with the given files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/app/quennet-notepad "$@"
