#!/usr/bin/env bash
# The load-development pictures of docs/user-guide.md: a ladder of five charges fired at the
# bench. zentrix runs on the built-in simulator under Xvfb with a fresh profile; before each
# string the load is entered in the Load Data dialog, Chrono > Start fires it, Chrono > Stop ends
# it. The simulator gives each string the next mean velocity of LADDER, so the chart has a shape;
# the shots still reach the program through its serial port. Photographs the ladder chart in the
# middle of the third string and at the end, then the String Library with the five rows picked.
# Last, the CFile is saved and read back: the script fails unless it holds the five loads and five
# strings of five shots (a dialog that lost its keys would lose a string silently otherwise).
# Needs a built tree (default ./build), Xvfb, xdotool and ImageMagick.
#   scripts/ladder-shots.sh [BUILD_DIR]       (ZX_LADDER_DISPLAY picks the X display, default :68)
set -euo pipefail
source "$(dirname "$0")/picture-session.sh" "${1:-}"

charges=(41.0 41.3 41.6 41.9 42.2)
ladder=2792,2818,2841,2846,2873    # f/s: a flat step between 41.6 and 41.9 gr
shots_per_string=5
gap_ms=2000                        # the simulator's mean gap between shots (zentrix --simulate)
settle=${ZX_LADDER_SETTLE:-6}      # seconds from Start to the first shot

start_screen "${ZX_LADDER_DISPLAY:-:68}" 1440x900

front() { xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"; sleep 0.3; }
keys() { front; xdotool keydown alt key "$1" keyup alt; }
photo() {   # photo WINDOW NAME: the window, scaled for the guide
  import -window "$1" "$work/raw.png"
  convert "$work/raw.png" -resize '900x>' -colors 256 -strip -define png:compression-level=9 "$out/$2.png"
  echo "docs/images/$2.png"
}
waitfor() { # waitfor TITLE: the id of the window once it shows
  local w=
  for _ in $(seq 50); do w=$(visible "$1"); [ -n "$w" ] && break; sleep 0.2; done
  [ -n "$w" ] || { echo "the window \"$1\" did not show" >&2; exit 1; }
  echo "$w"
}

# A user who made the window larger once; the iNotes stay closed.
printf '[frmMDI]\nPosWinX=300\nPosWinY=300\nSizWinX=20700\nSizWinY=12900\n[frmVipNotes]\nShowVipNotes=0\n' \
  > "$XDG_CONFIG_HOME/Zentrix/Zentrix0.conf"
# An empty CFile to record the ladder into, opened from the command line.
printf '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20 Ladder, Varget, 168 gr SMK\\par\n}\n' \
  > "$work/home/Documents/ladder.rtf"

"$build/app/zentrix" --simulate-ladder "$ladder" --simulate-shots "$shots_per_string" --answers Yes --answers-log "$work/answers.log" "$work/home/Documents/ladder.rtf" >/dev/null 2>&1 &
app=$!
pids+=("$app")
main=
for _ in $(seq 150); do main=$(visible '^Zentrix0'); [ -n "$main" ] && [ -z "$(visible '^CSetup')" ] && break; sleep 0.2; done
[ -n "$main" ] || { echo "the main window did not show" >&2; exit 1; }
sleep 1
# The ladder's tab in front: View > Ladder Chart raises it from behind the velocity chart.
keys v; sleep 0.5; xdotool key l; sleep 1

gone() { # gone TITLE: wait until no window of that title shows
  for _ in $(seq 50); do [ -z "$(visible "$1")" ] && return 0; sleep 0.2; done
  echo "the window \"$1\" did not close" >&2; exit 1
}

for i in "${!charges[@]}"; do
  # The load of the next string: Load Data... (Alt+L) on the statistics panel. The dialog starts
  # from the last load, so after the first only the charge changes. Keys go to the dialog only
  # once it has the focus, and the string starts only once it is gone.
  keys l
  dialog=$(waitfor '^Load Data$')
  xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
  sleep 0.3
  xdotool key ctrl+a; xdotool type --delay 40 "${charges[$i]}"
  if [ "$i" -eq 0 ]; then
    # charge unit, powder, bullet, its weight and unit, COAL or CBTO, the length and its unit,
    # primer, case, temperature
    for field in "" Varget "Sierra MatchKing" 168 "" "" 2.800 "" "CCI BR2" Lapua 21; do
      xdotool key Tab
      [ -n "$field" ] && { xdotool key ctrl+a; xdotool type --delay 40 "$field"; }
    done
  fi
  # ZX_LADDER_DEBUG=/tmp/x: the screen with the filled dialog, as /tmp/x-N.png
  [ -n "${ZX_LADDER_DEBUG:-}" ] && import -window root "$ZX_LADDER_DEBUG-$i.png"
  xdotool key Return
  gone '^Load Data$'
  sleep 0.5
  # Chrono > Start (F5); the simulator fires; Chrono > Stop (F6) when the string is done.
  front; xdotool key F5
  # Start asks to calibrate (the sensors were off): the preselected Yes takes a few seconds.
  if [ "$i" -eq 2 ]; then
    sleep $(( settle + 3 * gap_ms / 1000 ))   # the third string, half fired
    photo "$main" ladder-live
    sleep $(( shots_per_string * gap_ms * 13 / 10000 ))
  else
    sleep $(( settle + shots_per_string * gap_ms * 13 / 10000 ))   # every shot, at the slowest pace
  fi
  front; xdotool key F6
  sleep 2
done
photo "$main" ladder-end

# View > String Library: the five strings, all picked, and their ladder.
keys v; sleep 0.5; xdotool key g
library=$(waitfor '^String Library$')
sleep 1.5
xdotool windowfocus --sync "$library"
xdotool key ctrl+a
sleep 1.5
photo "$library" string-library

# The CFile saved (File > Save, Ctrl+S) and read back: five loads, five strings of five shots.
front; xdotool key ctrl+s; sleep 2
cfile=$work/home/Documents/ladder.rtf
loads=$(grep -o 'LOAD: Charge=[0-9.]* gr' "$cfile" | sed 's/LOAD: Charge=//; s/ gr//' | paste -sd' ')
"$build/cli/zentrix-cli" strings "$cfile" --csv > "$work/strings.csv"
shots=$(tail -n +2 "$work/strings.csv" | awk -F, -v col="$(head -1 "$work/strings.csv" | tr ',' '\n' | grep -nx Shots | cut -d: -f1)" '{print $col}' | paste -sd' ')
kill "$app"
wait "$app" 2>/dev/null || true
wanted=$(for _ in "${charges[@]}"; do printf '%s ' "$shots_per_string"; done)
if [ "$loads" != "${charges[*]}" ] || [ "$shots" != "${wanted% }" ]; then
  echo "ladder-shots.sh: the CFile holds loads [$loads] and strings of [$shots] shots;" \
       "wanted [${charges[*]}] and ${#charges[@]} strings of $shots_per_string" >&2
  cat "$work/answers.log" >&2 2>/dev/null || true
  exit 1
fi
echo "ladder-shots.sh: ${#charges[@]} loads, ${#charges[@]} strings of $shots_per_string shots"
