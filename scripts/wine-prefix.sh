#!/usr/bin/env bash
# wine-prefix.sh PREFIX: makes PREFIX a Wine prefix that runs with ANSI code
# page 936 and whose Documents, Desktop, Downloads... are folders of its own,
# not links into the home folder. Does nothing when the prefix is ready.
set -euo pipefail
prefix=$(realpath -m "$1")
mkdir -p "$(dirname "$prefix")"

exec 9>"$prefix.lock"
flock 9
fonts=$prefix/drive_c/windows/Fonts
[ -f "$prefix/.velquor-ready" ] && [ -f "$fonts/marlett.ttf" ] && exit 0

rm -rf "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
# No Mono or Gecko installer dialogs: nothing here needs them.
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wineserver -w

user_dir="$prefix/drive_c/users/$(id -un)"
for link in "$user_dir"/*; do
  if [ -L "$link" ]; then
    rm "$link"
    mkdir "$link"
  fi
done
# Wine draws the frames itself: the window looks and measures as on Windows
# with or without a window manager (Xvfb has none).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# A crash must end the test, not wait on a dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
# Wine draws the caption buttons and the arrows of scroll bars and pickers
# with Marlett; Debian's Wine does not find the copy that it ships, and
# without it they show as the letters "0", "1", "r".
cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
touch "$prefix/.velquor-ready"
