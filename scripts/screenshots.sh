#!/usr/bin/env bash
# Screenshots of the window program under a virtual X display: idle, and during a run
# against the local sample portal. Writes docs/window-idle.png and
# docs/window-running.png.
#
#   scripts/screenshots.sh [BUILD_DIR]     (default: build, as scripts/run.sh makes it)
#
# A demo copy of the program runs in a temporary folder with its own mvs.ini, which
# points it at the sample portal and ticks the prefectures the portal serves. One shop
# page of the portal is made to hang, so the run is caught in a steady state.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
program=$build/src/mirvaso
docs=$root/docs

if [[ ! -x $program ]]; then
  echo "screenshots.sh: $program not built" >&2
  exit 1
fi

if [[ -z ${MIRVASO_SCREENSHOT_DISPLAY:-} ]]; then
  missing=()
  command -v xvfb-run >/dev/null || missing+=(xvfb)
  command -v xauth >/dev/null || missing+=(xauth)
  command -v xwd >/dev/null || missing+=(x11-apps)
  command -v xdotool >/dev/null || missing+=(xdotool)
  { command -v convert >/dev/null && convert -list format 2>/dev/null | grep -q XWD; } ||
    missing+=(imagemagick)
  fc-list | grep -qi "IPAPGothic" || missing+=(fonts-ipafont-gothic)
  if ((${#missing[@]})); then
    apt-get update -qq && apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  exec xvfb-run -a -s "-screen 0 800x600x24" env MIRVASO_SCREENSHOT_DISPLAY=1 "$0" "$@"
fi

demo=$(mktemp -d /tmp/mirvaso-demo-XXXXXX)
portal_pid=
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n $portal_pid ]] && kill "$portal_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$demo"
}
trap cleanup EXIT

# The sample portal, with the second Tokyo shop's page hanging.
mkfifo "$demo/portal.out"
python3 "$root/tests/portal/portal.py" --sample --site "$demo/site" --log "$demo/requests.log" \
  >"$demo/portal.out" &
portal_pid=$!
read -r ready <"$demo/portal.out"
port=$(python3 -c 'import json,sys; print(json.loads(sys.argv[1])["port"])' "$ready")
ca=$(python3 -c 'import json,sys; print(json.loads(sys.argv[1])["ca"])' "$ready")
echo stall >"$demo/site/usedcar_shop/1310098765/detail.html.mode"

# Ticks for prefectures 1, 3, 13, 27 and 47, the ones the sample serves.
category=$(python3 -c 'print("".join("1" if p in (1, 3, 13, 27, 47) else "0" for p in range(1, 48)))')
printf '[Portal]\r\nBaseUrl=https://127.0.0.1:%s\r\nCaFile=%s\r\n[Config]\r\nCategory=%s\r\n' \
  "$port" "$ca" "$category" >"$demo/mvs.ini"
cp "$program" "$demo/mirvaso"
mkdir -m 700 "$demo/run"

shot() {  # the window's client area, which sits at the top left of the screen
  sleep 0.7
  xwd -root -silent | convert xwd:- -crop 307x235+0+0 +repage "$1"
  echo "wrote $1"
}

cd "$demo"
XDG_RUNTIME_DIR=$demo/run ./mirvaso &
program_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Mirvaso$' | head -n 1)
mkdir -p "$docs"
shot "$docs/window-idle.png"

# Start: the save dialog comes up with the default name in the demo folder; accept it.
xdotool mousemove 230 46 click 1
# (Window names are matched as ASCII patterns, so the dialog is waited for by time.)
sleep 2
xdotool key Return
# Wait until the run hangs at the second Tokyo shop.
for _ in $(seq 1 200); do
  grep -q '/usedcar_shop/1310098765/' "$demo/requests.log" 2>/dev/null && break
  sleep 0.1
done
xdotool windowactivate "$window" 2>/dev/null || true
shot "$docs/window-running.png"
