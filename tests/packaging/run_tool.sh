#!/usr/bin/env bash
# Runs TOOL with ARGUMENTS; skips (status 77) where the Debian package that holds it is not installed.
#   run_tool.sh PACKAGE TOOL ARGUMENTS...
set -euo pipefail
package=$1 tool=$2
shift 2
if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is missing (apt-get install $package)"
    exit 77
fi
exec "$tool" "$@"
