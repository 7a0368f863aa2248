#!/usr/bin/env bash
# Set up, build and start Vormeld (arguments are passed on: a file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec build/bin/vormeld "$@"
