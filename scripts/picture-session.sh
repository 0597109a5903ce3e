# Sourced by the picture scripts (screenshots.sh, ladder-shots.sh): where things are, a private
# scratch folder with a fresh program profile (settings, data, runtime folder and a home with a
# Documents folder), processes ended and the folder removed at exit, and an Xvfb screen.
#   source "$(dirname "$0")/picture-session.sh" [BUILD_DIR]
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$root/docs/images
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out" "$work/config/Zentrix" "$work/data" "$work/run" "$work/home/Documents"
# New workbooks of an unsaved CFile go to the documents folder: a private one here.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data ZX_RUNTIME_DIR=$work/run HOME=$work/home

# start_screen DISPLAY WIDTHxHEIGHT: an Xvfb screen, made the current display once it answers.
start_screen() {
  Xvfb "$1" -screen 0 "$2x24" -nolisten tcp >/dev/null 2>&1 &
  pids+=("$!")
  export DISPLAY=$1
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
# visible TITLE_REGEX: the first visible window whose title matches, or nothing.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
