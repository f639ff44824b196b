#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass the desktop's own validators.
#   desktop_files_test.sh PACKAGING_DIR     (exit 77, skipped, when a validator is missing)
set -euo pipefail
dir=$1
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || {
    echo "desktop_files_test: $tool is not installed (./kw installs it)"
    exit 77
  }
done
desktop-file-validate "$dir/org.kestrelwing.Kestrelwing.desktop"
appstreamcli validate --no-net "$dir/org.kestrelwing.Kestrelwing.metainfo.xml"
