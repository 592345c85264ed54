#!/usr/bin/env bash
# Builds the programs and runs the main job on the demo program directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/test.sh >/dev/null
echo "demo: the generator is not built yet"
