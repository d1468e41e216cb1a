#!/usr/bin/env bash
# korvagraph at scale: one line per step and size, with wall-clock time, CPU
# time, peak memory (GNU time) and the load average when the step ended (the
# machine is shared: read the times beside it). Each step is a cold call in a
# fresh process. The data sets come from the sample generator, so anyone can
# repeat the figures.
# Usage: bench/scale.sh [BUILD_DIR] [--million]   (default build; needs
# korvagraph and generate_sample built there). --million adds the
# four-direction variograms of 1,000,000 samples (minutes; the goal is under
# 10 minutes in under 1 GB).
set -euo pipefail

build=build
million=false
for arg in "$@"; do
  case "$arg" in
    --million) million=true ;;
    *) build=$arg ;;
  esac
done
korvagraph="$build/tools/korvagraph/korvagraph"
generate="$build/tools/sample_data/generate_sample"
for program in "$korvagraph" "$generate" /usr/bin/time; do
  [ -x "$program" ] || { echo "scale.sh: $program is missing" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "scale.sh: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# Runs korvagraph with the given words and prints one line named label.
measure() {
  local label=$1
  shift
  if ! /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$korvagraph" "$@" \
    --quiet >/dev/null 2>"$work/err"; then
    cat "$work/err" >&2
    exit 1
  fi
  read -r wall user system peak_kb <"$work/time"
  awk -v label="$label" -v wall="$wall" -v user="$user" -v sys="$system" \
    -v peak="$peak_kb" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
      printf "%-46s %7.2f s wall %7.2f s cpu %7.1f MB peak  load %s\n",
             label, wall, user + sys, peak / 1024, load }'
}

counts=(20000 100000)
$million && counts+=(1000000)
for count in "${counts[@]}"; do
  data="$work/samples-$count.dat"
  "$generate" --count "$count" "$data" >/dev/null
  # mvario computes the omnidirectional variogram and four directions.
  measure "four-direction variograms, $count samples" \
    mvario --data "$data" --out "$work/mvario.png"
  if [ "$count" -le 100000 ]; then
    measure "gallery, $count samples" gallery --data "$data" \
      --out "$work/gallery-$count"
  fi
done
