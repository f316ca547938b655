#!/usr/bin/env bash
# How much of one core the window costs: runs the built `pelea --demo` on a virtual 1920×1080
# screen (Xvfb) for SECONDS (default 20) with each of SDL's software and OpenGL renderers and
# with the one the game picks when none is named ("default"), in desktop full screen and in the
# default window, and prints the share of a core the game's process used (its user + system
# time from /proc over the wall time measured) and the share the X server used meanwhile (it
# does the copying of a picture handed to it).
#
#   bench/window_cpu.sh [SECONDS] [BUILD_DIR]       BUILD_DIR defaults to build/
#
# It builds nothing: build the pelea and assetgen targets first. The game's data is generated
# into a temporary folder with BUILD_DIR/assetgen, and the replays the window keeps go to a
# temporary folder too. Exits 2 on bad arguments or a missing program, 1 when a run fails.
#
# Xvfb has no window manager, and full screen is the window manager's work: in the full-screen
# runs xdotool does what one would, putting the window over the whole screen.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
build="${2:-build}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "window_cpu.sh: SECONDS must be a whole number of at least 1, got \"$seconds\"" >&2
  exit 2
fi
for program in pelea assetgen; do
  if [ ! -x "$build/$program" ]; then
    echo "window_cpu.sh: $build/$program not found; build it first" >&2
    exit 2
  fi
done
for program in xvfb-run xdotool; do
  if ! command -v "$program" >/dev/null; then
    echo "window_cpu.sh: $program not found; scripts/deps.sh installs it" >&2
    exit 2
  fi
done

pelea="$(cd "$build" && pwd)/pelea"
screen_w=1920
screen_h=1080
settle=2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/assetgen" "$work/data" >/dev/null

# The user + system time of a process so far, in clock ticks (the 14th and 15th fields of its
# stat line; the name in brackets has no spaces here).
cpu_ticks() {
  local f
  read -r -a f </proc/"$1"/stat || return 1
  echo $((f[13] + f[14]))
}

# One run: prints the clock ticks the game and the X server used, and the ticks per second and
# the wall seconds they were measured over. The first seconds (start-up, loading) are left out.
measure() {
  local renderer="$1" display="$2"
  local args=()
  [ "$display" = fullscreen ] && args=(--fullscreen)
  local chosen=(SDL_RENDER_DRIVER="$renderer")
  [ "$renderer" = default ] && chosen=(-u SDL_RENDER_DRIVER)
  env "${chosen[@]}" XDG_DATA_HOME="$work/xdg" SDL_AUDIODRIVER=dummy \
    xvfb-run -a -s "-screen 0 ${screen_w}x${screen_h}x24" bash -c '
      seconds="$1" display="$2" w="$3" h="$4" settle="$5"; shift 5
      '"$(declare -f cpu_ticks)"'
      "$@" >/dev/null 2>&1 &
      game=$!
      server=$(pgrep -x -P "$PPID" Xvfb)
      if [ "$display" = fullscreen ]; then
        xdotool search --sync --name "^Pelea\$" windowmove 0 0 windowsize "$w" "$h" >/dev/null
      else
        xdotool search --sync --name "^Pelea\$" >/dev/null
      fi
      sleep "$settle"
      g0=$(cpu_ticks "$game") && x0=$(cpu_ticks "$server") && t0=$(date +%s.%N) &&
        sleep "$seconds" &&
        g1=$(cpu_ticks "$game") && x1=$(cpu_ticks "$server") && t1=$(date +%s.%N) || {
        echo "the game ended before it was measured" >&2
        exit 1
      }
      kill "$game"
      wait "$game" 2>/dev/null || true
      echo "$((g1 - g0)) $((x1 - x0)) $(getconf CLK_TCK) $t0 $t1"
    ' measure "$seconds" "$display" "$screen_w" "$screen_h" "$settle" \
      "$pelea" --demo --data "$work/data" "${args[@]}"
}

printf '%-10s %-11s %8s %8s %8s %9s\n' renderer display "wall s" "game s" "game %" "X server %"
status=0
for renderer in software opengl default; do
  for display in fullscreen window; do
    if ! result=$(measure "$renderer" "$display"); then
      echo "window_cpu.sh: the $renderer run in $display failed" >&2
      status=1
      continue
    fi
    read -r game server hz t0 t1 <<<"$result"
    awk -v g="$game" -v x="$server" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v r="$renderer" \
      -v d="$display" 'BEGIN {
        wall = t1 - t0
        printf "%-10s %-11s %8.2f %8.2f %7.1f%% %9.1f%%\n", r, d, wall, g / hz,
               100 * g / hz / wall, 100 * x / hz / wall
      }'
  done
done
exit "$status"
