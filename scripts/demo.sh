#!/usr/bin/env bash
# Installs what is missing, builds, and runs Tillora against its built-in simulated register.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
echo
echo "$ tillora-cli --demo info"
build/bin/tillora-cli --demo info
