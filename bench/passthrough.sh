#!/usr/bin/env bash
# Throughput of a pass-through run (ISO 2709 in, line format out) against
# "yaz-marcdump -o line" on the same input, and the peak resident size of
# each run, on inputs made by repeating the real ISO 2709 files.
#
#   bench/passthrough.sh [--sizes "50 200"] [--repeat 3] [--run 'NAME::COMMAND']...
#                        [--profiles "0 1 2"] [--vendor]
#
# --sizes     input sizes in MB (10^6 bytes); each input is built once in bench/out/
# --repeat    runs per measurement; the fastest counts, the largest peak is shown
# --run       an extra run; COMMAND is a shell command in which {in} and {out}
#             stand for the input and an output file, {build} for the build folder
# --profiles  adds "kelvokonv --profile N --format iso {in} {out}" for each N
#             (only when the built kelvokonv knows --profile)
# --vendor    instead: a line-format input made by repeating the vendor samples
#             (data/samples/dalkii-*.mrc), pass-through of it against profile 2;
#             the reference reads no line format and is left out
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="50 200"
repeat=3
profiles=""
vendor=0
runs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --run) runs+=("$2"); shift 2 ;;
    --profiles) profiles=$2; shift 2 ;;
    --vendor) vendor=1; shift ;;
    *) echo "Felaktig flagga: $1" >&2; exit 2 ;;
  esac
done

build=${KELVO_BENCH_BUILD:-build-release}
out=bench/out
data=${KELVO_SHARED_DATA:-../shared/data}/marc21
mkdir -p "$out"

need_package() { # command package
  command -v "$1" >/dev/null && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "$1 saknas (paketet $2) och kan bara installeras som root" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$2"
}
need_package yaz-marcdump yaz
need_package /usr/bin/time time

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVO_SANITIZE=OFF -DKELVO_GUI=OFF -DKELVO_BENCH=ON >/dev/null
targets=(passthrough kelvokonv)
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

# Runs of every measurement: the reference first (it sets the ratio), then
# ours, then the extras.
if [ "$vendor" = 1 ]; then
  all_runs=("kelvo pass-through (rad)::{build}/passthrough --line {in} {out}"
            "kelvokonv --profile 2::{build}/kelvokonv --quiet --profile 2 --format line {in} {out}")
else
  all_runs=("yaz-marcdump -o line::yaz-marcdump -o line {in} > {out}"
            "kelvo pass-through::{build}/passthrough {in} {out}")
  for p in $profiles; do
    all_runs+=("kelvokonv --profile $p::{build}/kelvokonv --quiet --profile $p --format iso {in} {out}")
  done
fi
all_runs+=("${runs[@]}")

whole=()
if [ "$vendor" = 1 ]; then
  # The vendor samples, each ended by its record separator.
  for f in data/samples/dalkii-*.mrc; do [ -f "$f" ] && whole+=("$f"); done
  [ ${#whole[@]} -gt 0 ] || { echo "Inga leverantörsposter i data/samples" >&2; exit 1; }
  ext=txt
else
  # The ISO 2709 files that end with a record terminator, so that repeating
  # them keeps every record whole, and that the reference reads to the end
  # without an error: a reference that stops early would time less work.
  mapfile -d '' sources < <(find "$data" -type f \( -name '*.mrc' -o -name '*.dat' -o -name '*.marc' \
    -o -name '*.usmarc' -o -name '*.iso' \) -print0 | sort -z)
  for f in "${sources[@]}"; do
    [ "$(tail -c1 "$f" | od -An -tx1 | tr -d ' ')" = 1d ] || continue
    yaz-marcdump -o line "$f" >/dev/null 2>&1 && whole+=("$f")
  done
  [ ${#whole[@]} -gt 0 ] || { echo "Inga ISO 2709-filer i $data" >&2; exit 1; }
  ext=mrc
fi
echo "Indata byggs av ${#whole[@]} filer" >&2

make_input() { # size_mb -> file name
  local file="$out/input-$1MB-$vendor.$ext" target=$(($1 * 1000000))
  if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -lt "$target" ]; then
    : >"$file.tmp"
    while [ "$(stat -c %s "$file.tmp")" -lt "$target" ]; do cat "${whole[@]}" >>"$file.tmp"; done
    mv "$file.tmp" "$file"
  fi
  echo "$file"
}

measure() { # command -> "seconds peak_kb" of the fastest run
  local cmd=$1 best="" peak=0 start end secs kb
  for _ in $(seq "$repeat"); do
    start=$(date +%s.%N)
    if ! /usr/bin/time -f %M -o "$out/time.txt" bash -c "exec $cmd" >/dev/null; then
      echo "Misslyckades: $cmd" >&2
      exit 1
    fi
    end=$(date +%s.%N)
    secs=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    kb=$(tail -1 "$out/time.txt")
    [ "$kb" -gt "$peak" ] && peak=$kb
    if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$secs; fi
  done
  echo "$best $peak"
}

printf '%-28s %8s %10s %9s %12s\n' "program" "MB" "sekunder" "MB/s" "topp RSS MB"
for size in $sizes; do
  input=$(make_input "$size")
  bytes=$(stat -c %s "$input")
  ref_rate=""
  for entry in "${all_runs[@]}"; do
    name=${entry%%::*}
    cmd=${entry#*::}
    slug=$(echo "$name" | tr -c 'A-Za-z0-9\n' '_')
    cmd=${cmd//\{in\}/$input}
    cmd=${cmd//\{out\}/$out/out-$size-$slug.txt}
    cmd=${cmd//\{build\}/$build}
    read -r secs kb < <(measure "$cmd")
    rate=$(awk -v b="$bytes" -v s="$secs" 'BEGIN { printf "%.1f", b / 1e6 / s }')
    [ -z "$ref_rate" ] && ref_rate=$rate
    ratio=$(awk -v r="$rate" -v f="$ref_rate" 'BEGIN { printf "%.2f", r / f }')
    printf '%-28s %8.1f %10s %9s %12.1f   x%s mot referensen\n' "$name" "$(awk -v b="$bytes" 'BEGIN { print b / 1e6 }')" \
      "$secs" "$rate" "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')" "$ratio"
  done
done
