# Sourced: starts a private Xvfb on a free display, 1024x768x24, exports
# DISPLAY and stops it when the calling script exits.
xvfb_display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$xvfb_display_file" ] && break
  sleep 0.1
done
export DISPLAY=":$(cat "$xvfb_display_file")"
rm -f "$xvfb_display_file"
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
