#!/usr/bin/env bash
# Checks a desktop entry and an AppStream metainfo file with the desktop's own validators:
# any remark of desktop-file-validate fails; appstreamcli fails on warnings and errors
# (its notes on our example-domain id are only information).
# Usage: validate_desktop_files.sh ENTRY.desktop METAINFO.xml
set -euo pipefail
remarks=$(desktop-file-validate "$1" 2>&1) || true
[ -z "$remarks" ] || { echo "$remarks"; exit 1; }
appstreamcli validate --no-net "$2"
