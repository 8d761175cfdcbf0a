#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM [ARGS...]: runs a Windows program under Wine in
# PREFIX (made ready first) with code page 936.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
