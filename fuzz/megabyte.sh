#!/usr/bin/env bash
# megabyte.sh FUZZER FILE: writes a schedule file of over a megabyte (long
# lines, short lines, two-byte characters) and loads it once with the hang
# limit set.
set -euo pipefail
fuzzer=$1 file=$2
{
  printf '[Velquor\xA3\xBA]\r\n'
  for _ in $(seq 13000); do
    printf '12=2019\xC4\xEA3\xD4\xC211\xC8\xD5\xA3\xACD:\\\xB9\xA4\xD7\xF7\\backup.bat\r\n=\r\n'
  done
  head -c 500000 /dev/zero | tr '\0' '\xB0'
  printf '=\xA3\xAC\n'
} >"$file"
exec "$fuzzer" -timeout=10 -rss_limit_mb=4096 "$file"
