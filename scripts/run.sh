#!/usr/bin/env bash
# Installs what is missing, builds, and lays out the program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
echo "Program folder: $(pwd)/build/bin"
ls -1 build/bin
