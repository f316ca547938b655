#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz) and runs each, one after the other, for
# SECONDS (default 60) starting from its seed corpus in fuzz/corpus/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: script command_line picture sound replay settings
#                                            net_packet
#
# A finding is a crash, a sanitizer report, a leak, a timeout (10 s on one input), running out
# of memory or a broken promise of the target. Every target still runs; at the end the script
# names each finding's file (build-fuzz/findings/TARGET/crash-…, leak-…, timeout-…, oom-…) with
# the command that replays it, and exits 1. It exits 0 when nothing was found, 2 on bad
# arguments or when clang is missing. New inputs that reach new code are kept in
# build-fuzz/corpus/TARGET/, never in the repository; fuzz/corpus/ holds only the seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

seconds="${1:-60}"
[ $# -gt 0 ] && shift
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz.sh: SECONDS must be a whole number of at least 1, got \"$seconds\"" >&2
  exit 2
fi
all=(script command_line picture sound replay settings net_packet)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
for t in "${targets[@]}"; do
  if [ ! -f "fuzz/fuzz_$t.cpp" ]; then
    echo "fuzz.sh: unknown target \"$t\" (known: ${all[*]})" >&2
    exit 2
  fi
done
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ not found; scripts/deps.sh installs it" >&2
  exit 2
fi

build="$root/build-fuzz"
# Warnings are not errors here: the GCC builds hold that line, and a warning only clang gives
# must not stop the fuzzing.
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELEA_FUZZ=ON \
      -DPELEA_WERROR=OFF -DPELEA_TESTS=OFF -DPELEA_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target pelea_fuzz_seeds "${targets[@]/#/fuzz_}"

# The seeds as the current code writes them (the damaged files the tests keep included), beside
# the ones in the repository.
rm -rf "$build/seeds"
ASAN_OPTIONS=detect_leaks=0 "$build/pelea_fuzz_seeds" "$build/seeds" >/dev/null

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/run" "$build/logs"
found=()
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  findings="$build/findings/$t"
  log="$build/logs/$t.log"
  rm -rf "$findings"
  mkdir -p "$work" "$findings" "$build/seeds/corpus/$t"
  dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="$root/fuzz/dict/$t.dict")
  # The game looks for its data files in the working folder: an empty one finds none.
  set +e
  (cd "$build/run" && "$build/fuzz_$t" -max_total_time="$seconds" -timeout=10 \
     -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" \
     "$work" "$root/fuzz/corpus/$t" "$build/seeds/corpus/$t") >"$log" 2>&1
  rc=$?
  set -e
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
  cov="$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)"
  printf 'fuzz %-13s %ss  runs %s  exec/s %s  cov %s  exit %s\n' \
         "$t" "$seconds" "${runs:-?}" "${speed:-?}" "${cov:-?}" "$rc"
  artifacts=("$findings"/*)
  if [ $rc -ne 0 ] || [ -e "${artifacts[0]}" ]; then
    found+=("$t")
    echo "---- $t: last lines of $log" >&2
    tail -n 40 "$log" >&2
  fi
done

if [ ${#found[@]} -ne 0 ]; then
  echo "fuzz.sh: findings in: ${found[*]}" >&2
  for t in "${found[@]}"; do
    for f in "$build/findings/$t"/*; do
      [ -e "$f" ] || continue
      echo "  $f" >&2
      echo "    replay: (cd $build/run && $build/fuzz_$t $f)" >&2
    done
  done
  echo "fuzz.sh: a finding that shows a real fault is kept as a seed in fuzz/corpus/TARGET/" >&2
  exit 1
fi
echo "fuzz.sh: nothing found"
