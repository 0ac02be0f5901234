#!/usr/bin/env bash
# Throughput of a pass-through run (ISO 2709 in, line format out: the
# benchmark program, and "kelvokonv --profile 1 --no-convert" with and
# without its character-set step) and of each
# profile against "yaz-marcdump -o line" on the same input, and the peak
# resident size of each run, on inputs made by repeating the real ISO 2709
# files. Besides the wall time each run's processor time (user and system) is
# shown, and both as a share of the reference's: on a shared machine the
# processor time is the steadier figure. The vendor profile reads its own
# line format, which the reference does not read: it is measured in a second
# table, on an input made by repeating the vendor samples, against its own
# pass-through of that input ("kelvokonv --profile 2 --no-convert": read,
# rendered and written as the profile does, no rule applied), as profile 1
# is against its own; the benchmark program's bare line-format pass-through
# (no duplicate lines removed, no subfield lines, no translation table)
# is shown beside it.
#
#   bench/passthrough.sh [--sizes "50 200"] [--repeat 3] [--run 'NAME::COMMAND']...
#                        [--profiles "0 1 2"] [--jobs "1 2"] [--vendor]
#
# --sizes     input sizes in MB (10^6 bytes); each input is built once in bench/out/
# --repeat    runs per measurement, the runs of one size taking turns; the
#             fastest counts, the largest peak is shown
# --run       an extra run of the first table; COMMAND is a shell command in which
#             {in} and {out} stand for the input and an output file, {build} for the build folder
# --profiles  "kelvokonv --profile N" for each N (default 0 1 2); 0 and 1 on
#             the ISO 2709 input, 2 on the vendor input
# --jobs      each profile run with "--jobs J" for each J (default 1 2)
# --vendor    only the vendor table
#
# The outputs go to a folder in memory (in KELVO_BENCH_OUT, by default in
# /dev/shm where there is one), so that what is timed is the programs and
# not when the system happens to flush its disk cache; the inputs are built
# in bench/out.
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="50 200"
repeat=3
profiles="0 1 2"
jobs="1 2"
vendor=0
runs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --run) runs+=("$2"); shift 2 ;;
    --profiles) profiles=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --vendor) vendor=1; shift ;;
    *) echo "Felaktig flagga: $1" >&2; exit 2 ;;
  esac
done

build=${KELVO_BENCH_BUILD:-build-release}
out=bench/out
# The outputs go to a folder of the run's own (emptied after every run,
# removed at the end) in KELVO_BENCH_OUT, else in memory, else in bench/out.
if [ -n "${KELVO_BENCH_OUT:-}" ]; then
  base=$KELVO_BENCH_OUT
elif [ -d /dev/shm ]; then
  base=/dev/shm
else
  base=$out
fi
mkdir -p "$base"
results=$(mktemp -d "$base/kelvo-bench.XXXXXX")
trap 'rm -rf "$results"' EXIT
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

# The runs of a table: the reference first (it sets the ratio), then ours,
# then the extras.
iso_runs=("yaz-marcdump -o line::yaz-marcdump -o line {in} > {out}"
          "kelvo pass-through::{build}/passthrough {in} {out}")
vendor_runs=("kelvokonv -p 2 --no-convert::{build}/kelvokonv --quiet --profile 2 --jobs 1 --no-convert --format line {in} {out}"
             "kelvo pass-through (rad)::{build}/passthrough --line {in} {out}")
# The pass-through of the command line: with the character-set step (the
# default), and without it (--charset cp1252: the bytes as read, as the
# reference writes them).
for j in $jobs; do
  iso_runs+=("kelvokonv -p 1 --no-convert --jobs $j::{build}/kelvokonv --quiet --profile 1 --no-convert --jobs $j --format iso {in} {out}")
done
for j in $jobs; do
  iso_runs+=("  ... --charset cp1252 --jobs $j::{build}/kelvokonv --quiet --profile 1 --no-convert --charset cp1252 --jobs $j --format iso {in} {out}")
done
for p in $profiles; do
  for j in $jobs; do
    run="kelvokonv -p $p --jobs $j::{build}/kelvokonv --quiet --profile $p --jobs $j"
    if [ "$p" = 2 ]; then vendor_runs+=("$run --format line {in} {out}"); else iso_runs+=("$run --format iso {in} {out}"); fi
  done
  # Most of the vendor samples' records belong to proper multi-volume works,
  # which go to the multi-volume file as they were read; kept in the output,
  # every record is converted.
  if [ "$p" = 2 ]; then
    vendor_runs+=("  ... --no-separate-proper-works::{build}/kelvokonv --quiet --profile 2 --jobs 1 --no-separate-proper-works --format line {in} {out}")
  fi
done
iso_runs+=("${runs[@]}")

# The files an input of each kind is built from.
iso_sources=()
# The ISO 2709 files that end with a record terminator, so that repeating
# them keeps every record whole, and that the reference reads to the end
# without an error: a reference that stops early would time less work.
mapfile -d '' sources < <(find "$data" -type f \( -name '*.mrc' -o -name '*.dat' -o -name '*.marc' \
  -o -name '*.usmarc' -o -name '*.iso' \) -print0 | sort -z)
for f in "${sources[@]}"; do
  [ "$(tail -c1 "$f" | od -An -tx1 | tr -d ' ')" = 1d ] || continue
  yaz-marcdump -o line "$f" >/dev/null 2>&1 && iso_sources+=("$f")
done
# The vendor samples in line format (an ISO 2709 sample begins with the
# record length), each ended by its record separator.
vendor_sources=()
for f in data/samples/dalkii-*.mrc; do
  [ -f "$f" ] && ! head -c5 "$f" | grep -Eq '^[0-9]{5}$' && vendor_sources+=("$f")
done

make_input() { # size_mb kind ext files... -> file name
  local file="$out/input-$1MB-$2.$3" target=$(($1 * 1000000))
  shift 3
  if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -lt "$target" ]; then
    # A piece of at least 1 MB of the sources, repeated: small samples are
    # not appended a few KB at a time.
    : >"$file.piece"
    while [ "$(stat -c %s "$file.piece")" -lt 1000000 ]; do cat "$@" >>"$file.piece"; done
    : >"$file.tmp"
    while [ "$(stat -c %s "$file.tmp")" -lt "$target" ]; do cat "$file.piece" >>"$file.tmp"; done
    rm "$file.piece"
    mv "$file.tmp" "$file"
  fi
  echo "$file"
}

run_once() { # command -> "seconds cpu_seconds peak_kb"
  local start end
  start=$(date +%s.%N)
  if ! /usr/bin/time -f "%U %S %M" -o "$out/time.txt" bash -c "exec $1" >/dev/null; then
    echo "Misslyckades: $1" >&2
    exit 1
  fi
  end=$(date +%s.%N)
  read -r user sys kb < <(tail -1 "$out/time.txt")
  awk -v a="$start" -v b="$end" -v u="$user" -v s="$sys" -v k="$kb" 'BEGIN { printf "%.3f %.2f %d\n", b - a, u + s, k }'
}

lower() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

measure() { # kind ext runs_array_name sources_array_name
  local kind=$1 ext=$2
  local -n table_runs=$3 table_sources=$4
  if [ ${#table_sources[@]} -eq 0 ]; then
    echo "Inga indatafiler för $kind" >&2
    return
  fi
  echo "Indata ($kind) byggs av ${#table_sources[@]} filer" >&2
  printf '%-40s %8s %10s %9s %8s %12s\n' "program ($kind)" "MB" "sekunder" "MB/s" "cpu s" "topp RSS MB"
  for size in $sizes; do
    input=$(make_input "$size" "$kind" "$ext" "${table_sources[@]}")
    bytes=$(stat -c %s "$input")
    # The runs take turns, so that a busy moment of the machine does not fall
    # on one program alone.
    declare -A best_secs=() best_cpu=() peak=()
    for _ in $(seq "$repeat"); do
      for entry in "${table_runs[@]}"; do
        name=${entry%%::*}
        cmd=${entry#*::}
        slug=$(echo "$name" | tr -c 'A-Za-z0-9\n' '_')
        cmd=${cmd//\{in\}/$input}
        cmd=${cmd//\{out\}/$results/out-$size-$slug.txt}
        cmd=${cmd//\{build\}/$build}
        read -r secs cpu kb < <(run_once "$cmd")
        # Each run's files go at once, so that the next run writes into
        # memory just freed: on a virtual machine that hands free memory
        # back to its host, writing into memory taken back costs the
        # writer, and a folder of old outputs made the timings of later
        # runs depend on how much of it the host had taken.
        rm -f "$results"/*
        if [ -z "${best_secs[$name]:-}" ] || lower "$secs" "${best_secs[$name]}"; then best_secs[$name]=$secs; fi
        if [ -z "${best_cpu[$name]:-}" ] || lower "$cpu" "${best_cpu[$name]}"; then best_cpu[$name]=$cpu; fi
        if [ "$kb" -gt "${peak[$name]:-0}" ]; then peak[$name]=$kb; fi
      done
    done
    ref=${table_runs[0]%%::*}
    for entry in "${table_runs[@]}"; do
      name=${entry%%::*}
      awk -v n="$name" -v b="$bytes" -v s="${best_secs[$name]}" -v c="${best_cpu[$name]}" -v k="${peak[$name]}" \
        -v rs="${best_secs[$ref]}" -v rc="${best_cpu[$ref]}" 'BEGIN {
          printf "%-40s %8.1f %10.3f %9.1f %8.2f %12.1f   tid x%.2f, cpu x%.2f mot referensen\n",
                 n, b / 1e6, s, b / 1e6 / s, c, k / 1024, s / rs, c / rc }'
    done
    unset best_secs best_cpu peak
  done
}

[ "$vendor" = 1 ] || measure iso mrc iso_runs iso_sources
if [ "$vendor" = 1 ] || [ ${#vendor_runs[@]} -gt 2 ]; then
  [ "$vendor" = 1 ] || echo
  measure vendor txt vendor_runs vendor_sources
fi
