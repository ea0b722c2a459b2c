#!/usr/bin/env bash
# The launcher and the software centre's description pass the freedesktop.org checks.
# usage: validate-desktop-files.sh DESKTOP_FILE METAINFO_FILE
set -euo pipefail
desktop-file-validate "$1"
appstreamcli validate --no-net --explain "$2"
