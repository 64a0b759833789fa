#!/usr/bin/env bash
# Installs what is missing, builds, and lays out the program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
# The sign-in program joins the program folder with the sign-in issues; until then
# this lays out and lists the folder the suite's programs run from.
echo "Program folder: $(pwd)/build/bin"
(cd build/bin && find . -mindepth 1 | sed 's|^\./|  |' | sort)
