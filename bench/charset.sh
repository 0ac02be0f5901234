#!/usr/bin/env bash
# The cost of the character-set step and the memory of MARCXML input.
#
#   bench/charset.sh [--size 200] [--xml-size 200] [--repeat 3] [--limit-mb 300]
#
# 1. UTF-8: an ISO 2709 input of --size MB made by repeating the real files
#    beside the project whose bytes are all UTF-8 (most records say so in
#    leader/09), run through the pass-through and through profile 1, once
#    with the bytes passed as they are (--charset cp1252) and once decoded
#    (--charset utf-8 and auto). The figure is the extra processor time of
#    decoding; it includes a fixed part, the transliterations built when the
#    first character of a script is met (about 0.15 s for Chinese), which
#    weighs less the larger the input.
# 2. MARCXML: a generated collection of --xml-size MB converted by profile 1
#    under a limit of --limit-mb MB of address space; reports the peak
#    resident size, which must not grow with the file.
set -euo pipefail
cd "$(dirname "$0")/.."

size=200
xml_size=200
repeat=3
limit_mb=300
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2; shift 2 ;;
    --xml-size) xml_size=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --limit-mb) limit_mb=$2; shift 2 ;;
    *) echo "Felaktig flagga: $1" >&2; exit 2 ;;
  esac
done

build=${KELVO_BENCH_BUILD:-build-release}
out=bench/out
data=${KELVO_SHARED_DATA:-../shared/data}/marc21
mkdir -p "$out"
command -v /usr/bin/time >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends time

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVO_SANITIZE=OFF -DKELVO_GUI=OFF -DKELVO_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target passthrough kelvokonv >/dev/null
printf '' >"$out/empty.ini"

# "cpu_seconds peak_kb" of the fastest of --repeat runs of a command: the
# processor time (user and system), which other work on the machine does not
# stretch as it does the time on the clock.
measure() {
  local best="" peak=0 secs kb
  for _ in $(seq "$repeat"); do
    /usr/bin/time -f '%U %S %M' -o "$out/time.txt" bash -c "$1" >/dev/null || { echo "Misslyckades: $1" >&2; exit 1; }
    read -r user sys kb < <(tail -1 "$out/time.txt")
    secs=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
    [ "$kb" -gt "$peak" ] && peak=$kb
    if [ -z "$best" ] || awk -v a="$secs" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$secs; fi
  done
  echo "$best $peak"
}

# 1. The cost of decoding UTF-8.
mapfile -d '' sources < <(find "$data" -type f \( -name '*.mrc' -o -name '*.dat' -o -name '*.marc' \) -print0 | sort -z)
utf8=()
for f in "${sources[@]}"; do
  [ "$(tail -c1 "$f" | od -An -tx1 | tr -d ' ')" = 1d ] || continue
  LC_ALL=C grep -qP '[\x80-\xff]' "$f" || continue           # something to decode
  iconv -f UTF-8 -t UTF-8 "$f" >/dev/null 2>&1 && utf8+=("$f")
done
[ ${#utf8[@]} -gt 0 ] || { echo "Inga UTF-8-filer i $data" >&2; exit 1; }
input="$out/utf8-${size}MB.mrc"
if [ ! -f "$input" ] || [ "$(stat -c %s "$input")" -lt $((size * 1000000)) ]; then
  : >"$input.tmp"
  while [ "$(stat -c %s "$input.tmp")" -lt $((size * 1000000)) ]; do cat "${utf8[@]}" >>"$input.tmp"; done
  mv "$input.tmp" "$input"
fi
echo "UTF-8-indata: ${#utf8[@]} filer, $(($(stat -c %s "$input") / 1000000)) MB" >&2

printf '%-34s %12s %9s %8s\n' "körning" "CPU-sekunder" "MB/s" "extra"
for program in passthrough kelvokonv; do
  base=""
  for charset in cp1252 utf-8 auto; do
    if [ "$program" = passthrough ]; then
      cmd="$build/passthrough --charset $charset $input $out/charset-out.mrc"
    else
      cmd="$build/kelvokonv --quiet --ini $out/empty.ini -p 1 --format iso --charset $charset $input $out/charset-out.mrc"
    fi
    read -r secs _ < <(measure "$cmd")
    [ -z "$base" ] && base=$secs
    printf '%-34s %12s %9.1f %7.1f %%\n' "$program --charset $charset" "$secs" \
      "$(awk -v b="$(stat -c %s "$input")" -v s="$secs" 'BEGIN { print b / 1e6 / s }')" \
      "$(awk -v s="$secs" -v b="$base" 'BEGIN { print (s / b - 1) * 100 }')"
  done
done

# 2. MARCXML in constant memory.
xml="$out/collection-${xml_size}MB.xml"
if [ ! -f "$xml" ] || [ "$(stat -c %s "$xml")" -lt $((xml_size * 1000000)) ]; then
  awk -v bytes=$((xml_size * 1000000)) 'BEGIN {
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    print "<collection xmlns=\"http://www.loc.gov/MARC21/slim\">"
    record = "<record><leader>00000nam a2200000   4500</leader>" \
      "<controlfield tag=\"001\">%d</controlfield>" \
      "<controlfield tag=\"008\">040305s2004    sw            000 0 swe d</controlfield>" \
      "<datafield tag=\"100\" ind1=\"1\" ind2=\" \"><subfield code=\"a\">Str\303\266m, \305\201ucja,</subfield>" \
      "<subfield code=\"d\">1950-</subfield></datafield>" \
      "<datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">F\303\245glar i norr %d :</subfield>" \
      "<subfield code=\"b\">en handbok /</subfield><subfield code=\"c\">\305\201ucja Str\303\266m.</subfield></datafield>" \
      "<datafield tag=\"260\" ind1=\" \" ind2=\" \"><subfield code=\"a\">G\303\266teborg :</subfield>" \
      "<subfield code=\"b\">F\303\266rlaget,</subfield><subfield code=\"c\">2004.</subfield></datafield>" \
      "<datafield tag=\"650\" ind1=\" \" ind2=\"7\"><subfield code=\"a\">F\303\245glar</subfield>" \
      "<subfield code=\"2\">sao</subfield></datafield></record>"
    for (n = 1; written < bytes; ++n) { line = sprintf(record, n, n); print line; written += length(line) + 1 }
    print "</collection>"
  }' >"$xml.tmp"
  mv "$xml.tmp" "$xml"
fi
cmd="ulimit -v $((limit_mb * 1024)); $build/kelvokonv --quiet --ini $out/empty.ini -p 1 $xml $out/xml-out.mrc"
read -r secs kb < <(measure "$cmd")
printf 'MARCXML %d MB: %s CPU-sekunder, %.1f MB/s, topp RSS %.1f MB (gräns %d MB adressrymd)\n' \
  $(($(stat -c %s "$xml") / 1000000)) "$secs" "$(awk -v b="$(stat -c %s "$xml")" -v s="$secs" 'BEGIN { print b / 1e6 / s }')" \
  "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')" "$limit_mb"
