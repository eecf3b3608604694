#!/bin/sh
# Runs a test program under a window manager on the display the caller
# opened, so its windows get title bars and frames as on a desktop.
# Skips (77) where no window manager is installed.
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed" >&2; exit 77; }
openbox --sm-disable &
manager=$!
# The manager announces itself on the root window once it runs.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 200 ]; then
    echo "openbox did not start" >&2
    kill "$manager" 2>/dev/null
    exit 1
  fi
  sleep 0.05
done
"$@"
status=$?
kill "$manager" 2>/dev/null
wait "$manager" 2>/dev/null
exit "$status"
