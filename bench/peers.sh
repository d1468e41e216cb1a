#!/usr/bin/env bash
# Side by side, in one run: each of the library's cold calls (host_cold_call,
# a fresh process per call) against its numpy / scipy / matplotlib
# equivalent (peers.py, a fresh process per call), repeated and interleaved
# so that both sides see the same machine load. Prints the median wall time
# of each side, the ratio, and whether the ratio meets its bar; exits 1 when
# a bar is missed.
#
#   bench/peers.sh [BUILD_DIR] [REPEATS] [CALL...]
#   (defaults: build, 5, every call: nscore hist cloud)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-${here}/../build}"
repeats="${2:-5}"
shift $(($# < 2 ? $# : 2))
only=" $* "
host="${build}/bench/host_cold_call"
count=1000000

if [[ ! -x "${host}" ]]; then
  echo "peers.sh: ${host} is missing; build the host_cold_call target" >&2
  exit 2
fi
# Debian's numpy, scipy and matplotlib; a Python of another prefix may lack them.
python=/usr/bin/python3
"${python}" -c 'import numpy, scipy, matplotlib' 2>/dev/null || {
  echo "peers.sh: python3-numpy, python3-scipy, python3-matplotlib needed" >&2
  exit 2
}

# Runs "$@" and prints the seconds field of its one line of output; stops
# the whole run when the call failed.
seconds_of() {
  local line
  line="$("$@")"
  if [[ "${line}" != *seconds=* || "${line}" == *FAILED* ]]; then
    echo "peers.sh: failed: $* -> ${line}" >&2
    kill -TERM $$
  fi
  sed -n 's/.* seconds=\([0-9.]*\).*/\1/p' <<<"${line}"
}

# Prints the median of its arguments.
median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "load before: $(uptime)"
status=0
# call, peer name, bar kind (max: ours / peer at most; min: peer / ours at
# least), bar value.
while read -r call peer kind bar; do
  [[ "${only}" == "  " || "${only}" == *" ${call} "* ]] || continue
  ours=()
  theirs=()
  for ((r = 0; r < repeats; ++r)); do
    ours+=("$(seconds_of "${host}" "${call}" "${count}")")
    # Older OpenBLAS settings of this machine slow a current numpy.
    theirs+=("$(seconds_of env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE \
      "${python}" "${here}/peers.py" "${call}" "${count}")")
  done
  # One last pair with the memory figures.
  mem_ours="$("${host}" "${call}" "${count}" | grep -o 'peak_mib=[0-9.-]*')"
  mem_theirs="$(env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE "${python}" \
    "${here}/peers.py" "${call}" "${count}" | grep -o 'peak_mib=[0-9.-]*')"
  a="$(median "${ours[@]}")"
  b="$(median "${theirs[@]}")"
  line="$(awk -v call="${call}" -v peer="${peer}" -v a="${a}" -v b="${b}" \
    -v kind="${kind}" -v bar="${bar}" 'BEGIN {
      if (kind == "max") { r = a / b; ok = r <= bar; what = "ours/peer" }
      else { r = b / a; ok = r >= bar; what = "peer/ours" }
      printf "%-7s ours %.4f s  %-10s %.4f s  %s = %.2f (bar %s %s)  %s\n",
        call, a, peer, b, what, r, (kind == "max") ? "<=" : ">=", bar,
        ok ? "meets" : "MISSES"
    }')"
  echo "${line}   [ours ${mem_ours}, peer ${mem_theirs}]"
  [[ "${line}" == *MISSES* ]] && status=1
done <<'EOF'
nscore scipy max 0.5
hist numpy max 1.0
cloud matplotlib min 10
EOF
echo "load after: $(uptime)"
exit "${status}"
