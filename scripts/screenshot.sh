#!/usr/bin/env bash
# Makes docs/images/main-window.png: the program's main window under a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p docs/images
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export QT_QPA_PLATFORM=xcb
# A place saved by an earlier session would move the window away from the crop.
export XDG_CONFIG_HOME="$home/config"
xvfb-run -a -s "-screen 0 1024x640x24" bash -c '
  build/src/quillmark --home "$1" &
  pid=$!
  sleep 3
  import -window root -crop 860x460+0+0 +repage docs/images/main-window.png
  kill $pid
' _ "$home"
echo "wrote docs/images/main-window.png"
