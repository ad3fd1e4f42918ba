#!/usr/bin/env bash
# Usage: host/zip/bench/bench-extract.sh [BUILD_DIR] [RUNS]
# Benchmark, not a test: extractArchive (under Wine) against Info-ZIP unzip
# (native Linux) on the same ~256 MiB archive of mixed compressible and
# incompressible data, median of RUNS (default 5) each; then extractArchive's
# peak working set on a 16 MiB and on the 256 MiB archive, which should not
# differ much, since entries are streamed. The work files live in a temporary
# folder below /tmp, removed at the end. Figures are MiB of uncompressed data
# per second; the comparison mixes a Windows program under Wine with a native one.
set -eu
src=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
runs=${2:-5}

cmake --build "$build" --target host_zip_bench -j2 >/dev/null
work=$(mktemp -d /tmp/tavrimo-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# One entry each: 1 MiB blocks, alternately random bytes and text of random
# words (about 3:1 under deflate), each text block a different slice of 8 MiB.
/usr/bin/python3 - "$work" <<'PY'
import os, random, sys
work = sys.argv[1]
rng = random.Random(1)
words = [bytes(rng.choice(b"abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 9))) for _ in range(5000)]
text = bytearray()
while len(text) < 9 << 20:
    text += b" ".join(rng.choices(words, k=12)) + b"\r\n"
for name, mib in (("small.bin", 16), ("large.bin", 256)):
    with open(os.path.join(work, name), "wb") as f:
        for block in range(mib):
            at = (block * 65537) % (8 << 20)
            f.write(os.urandom(1 << 20) if block % 2 else text[at : at + (1 << 20)])
PY
(cd "$work" && zip -q small.zip small.bin && zip -q large.zip large.bin && rm small.bin large.bin)
ls -l "$work"/*.zip | awk '{print $5, $9}'

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

echo "Info-ZIP unzip 6.00 (native), $runs runs:"
rates=()
for _ in $(seq "$runs"); do
    rm -rf "$work/out"
    start=$(date +%s%N)
    unzip -q "$work/large.zip" -d "$work/out"
    stop=$(date +%s%N)
    rates+=("$(awk -v ns=$((stop - start)) 'BEGIN {printf "%.1f", 256 / (ns / 1e9)}')")
done
rm -rf "$work/out"
printf '  %s MiB/s\n' "${rates[@]}"
unzip_median=$(printf '%s\n' "${rates[@]}" | median)
echo "  median $unzip_median MiB/s"

windows() { echo "Z:$1" | tr / '\\'; }
bench() {
    "$src/scripts/wine-run.sh" --wine-root "$build/wine" "$build/host/zip/host_zip_bench.exe" \
        "$(windows "$work/$1")" "$(windows "$work/out")" "$2"
}
echo "extractArchive (Wine), large archive, $runs runs:"
large=$(bench large.zip "$runs")
echo "$large" | sed 's/^/  /'
echo "extractArchive (Wine), small archive, 3 runs:"
bench small.zip 3 | sed 's/^/  /'

ours=$(echo "$large" | sed -n 's/^median \([0-9.]*\) MiB\/s.*/\1/p')
awk -v a="$ours" -v b="$unzip_median" 'BEGIN {printf "throughput ratio extractArchive / unzip: %.2f\n", a / b}'
