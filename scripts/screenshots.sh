#!/usr/bin/env bash
# The pictures of docs/user-guide.md: runs zentrix on the built-in simulator under Xvfb with a
# fresh profile and photographs its windows into docs/images/. Needs a built tree (default
# ./build), Xvfb, xdotool and ImageMagick.
#   scripts/screenshots.sh [BUILD_DIR]        (ZX_SHOT_DISPLAY picks the X display, default :66)
set -euo pipefail
source "$(dirname "$0")/picture-session.sh" "${1:-}"

# A CFile with shots: the simulator's live shots recorded by zentrix-cli, as from a real RV5.
coproc SIM { exec "$build/cli/zentrix-cli" sim --shots 200 --interval-ms 250 --layout 1010 --seed 7 2>/dev/null; }
pids+=("$SIM_PID")
read -r device <&"${SIM[0]}"
"$build/cli/zentrix-cli" capture --port "$device" --out "$work/shots.rtf" --seconds 6 --yes >/dev/null

start_screen "${ZX_SHOT_DISPLAY:-:66}" 1440x900

shoot() {   # shoot NAME: the main window, scaled for the guide
  import -window "$main" "$work/raw.png"
  convert "$work/raw.png" -resize '900x>' -colors 256 -strip -define png:compression-level=9 "$out/$1.png"
  echo "docs/images/$1.png"
}
keys() { xdotool windowfocus --sync "$main"; xdotool keydown alt key "$1" keyup alt; }

# A user who has made the window larger once (it is remembered per copy of the program).
mkdir -p "$XDG_CONFIG_HOME/Zentrix"
# The iNotes window stays closed at start-up (a user who has read them).
printf '[frmMDI]\nPosWinX=1500\nPosWinY=900\nSizWinX=16500\nSizWinY=11400\n[frmVipNotes]\nShowVipNotes=0\n' \
  > "$XDG_CONFIG_HOME/Zentrix/Zentrix0.conf"

# The program with the recorded CFile opened from the command line; the start-up detection's
# window closes by itself.
"$build/app/zentrix" --simulate --answers No "$work/shots.rtf" >/dev/null 2>&1 &
app=$!
pids+=("$app")
main=
for _ in $(seq 150); do main=$(visible '^Zentrix0'); [ -n "$main" ] && [ -z "$(visible '^CSetup')" ] && break; sleep 0.2; done
[ -n "$main" ] || { echo "the main window did not show" >&2; exit 1; }
# The caret on a shot in the middle of the file: the panel shows that string.
xdotool windowfocus --sync "$main"
xdotool key --repeat 14 Down
sleep 1
shoot main-window

# The File menu with its icons and the CSV export.
keys f
sleep 1
import -window root "$work/raw.png"
geometry=$(xdotool getwindowgeometry --shell "$main")
eval "$geometry"
convert "$work/raw.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -resize '900x>' -colors 256 -strip "$out/file-menu.png"
echo docs/images/file-menu.png
xdotool key Escape
sleep 0.5

# Shooting: Chrono > Start on the simulator; the statistics follow each shot.
keys c
sleep 0.5
xdotool key s
sleep 14
shoot shooting
# The chart's tab, at the foot of the panel, right of the statistics' tab.
xdotool mousemove --window "$main" 175 $((HEIGHT - 37)) click 1
sleep 1
shoot chart

# The workbook linked while shooting: Chrono > Excel > Link Workbook; the Capture sheet fills
# shot by shot.
keys c
sleep 0.5
xdotool key x
sleep 0.5
xdotool key l
book=
for _ in $(seq 50); do book=$(visible 'Workbook'); [ -n "$book" ] && break; sleep 0.2; done
[ -n "$book" ] || { echo "the workbook window did not show" >&2; exit 1; }
sleep 10
import -window "$book" "$work/raw.png"
convert "$work/raw.png" -resize '900x>' -colors 256 -strip -define png:compression-level=9 "$out/workbook.png"
echo docs/images/workbook.png

kill "$app"
wait "$app" 2>/dev/null || true

# A first run on a desktop screen: no stored places; the remote panel, the terminal and the
# workbook open beside the main window, not over its CFiles.
first=$work/first
mkdir -p "$first/config" "$first/data" "$first/run"
mkdir -p "$first/config/Zentrix"
printf '[frmVipNotes]\nShowVipNotes=0\n' > "$first/config/Zentrix/Zentrix0.conf"
start_screen :67 1920x1080
export XDG_CONFIG_HOME=$first/config XDG_DATA_HOME=$first/data ZX_RUNTIME_DIR=$first/run
"$build/app/zentrix" --simulate --answers No >/dev/null 2>&1 &
app=$!
pids+=("$app")
main=
for _ in $(seq 150); do main=$(visible '^Zentrix0'); [ -n "$main" ] && [ -z "$(visible '^CSetup')" ] && break; sleep 0.2; done
[ -n "$main" ] || { echo "the main window did not show on the first run" >&2; exit 1; }
sleep 1
menu() {   # menu LETTER ITEM: Alt+LETTER, then ITEM, with the main window in front
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
  sleep 0.3
  xdotool keydown alt key "$1" keyup alt
  sleep 0.5
  xdotool key "$2"
  sleep 1.5
}
menu i p      # Interface > Remote Control Panel
menu i t      # Interface > Terminal
keys c; sleep 0.5; xdotool key x; sleep 0.5; xdotool key l    # Chrono > Excel > Link Workbook
sleep 4
import -window root "$work/raw.png"
convert "$work/raw.png" -resize '1200x>' -colors 256 -strip -define png:compression-level=9 "$out/first-run.png"
echo docs/images/first-run.png
kill "$app"
wait "$app" 2>/dev/null || true

# Load development: a ladder fired at the bench, and the String Library.
"$root/scripts/ladder-shots.sh" "$build"
