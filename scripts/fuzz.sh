#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang in build-fuzz/ and runs each for SECONDS
# seconds, one after another, at low priority. Not part of CI.
#   scripts/fuzz.sh SECONDS [target...]     e.g. scripts/fuzz.sh 600  or  scripts/fuzz.sh 60 fuzz_term_rx
# Corpora grow in build-fuzz/corpus/<target>/ (kept between runs, never committed); inputs that
# break something land in build-fuzz/findings/; logs in build-fuzz/logs/.
# Environment: ZX_RTF_SAMPLES folder of real RTF files to seed the RTF reader, ZX_CHRONO_SAMPLES
# folder of other chronographs' export files to seed the importers (used when present).
set -euo pipefail
secs=${1:?usage: scripts/fuzz.sh SECONDS [target...]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-fuzz"
all=(fuzz_rtf_reader fuzz_plain_text_codec fuzz_xlsx_reader fuzz_status_parser fuzz_term_rx
     fuzz_import_shotview fuzz_import_labradar fuzz_import_magnetospeed fuzz_import_prochrono fuzz_import_fit
     fuzz_import_xls)
targets=("$@")
all+=(fuzz_load_line)
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

missing=()
for p in clang libclang-rt-14-dev; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$root" -B "$out" -G Ninja -DZX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
nice -n 10 cmake --build "$out" -j2 --target "${targets[@]}"

# Small seeds written here; real RTF samples are read from where they live, never copied in.
seed() { mkdir -p "$out/seeds/$1"; printf "$3" >"$out/seeds/$1/$2"; }
seed fuzz_rtf_reader plain '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 Shot \\b 1\\b0\\par\\cf1 2815\\tab f/s\\par}'
seed fuzz_rtf_reader list '{\\rtf1{\\*\\listtable{\\list\\listid1{\\listlevel\\levelnfc23}}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}{\\pntext\\f0 \\bullet\\tab}\\ls1\\ilvl0 one\\par two\\par}'
seed fuzz_rtf_reader table '{\\rtf1\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row\\pard\\qc\\li720\\fi-360 \\u8364?\\'"'"'e9 \\super 2\\nosupersub{\\info{\\title T}}\\bin3 xyz}'
seed fuzz_rtf_reader cp '{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 S;}}\\f0\\'"'"'d6\\'"'"'d0\\uc2\\u20013\\'"'"'d6\\'"'"'d0{\\*\\unknown x}\\line}'
seed fuzz_plain_text_codec crlf 'V0 2815\r\nV1 2820\r\n'
seed fuzz_plain_text_codec utf8 'caf\xc3\xa9 \xe2\x82\xac\nx'
seed fuzz_plain_text_codec bom '\xef\xbb\xbfa\rb'
seed fuzz_plain_text_codec utf16 '\xff\xfea\x00\r\x00\n\x00\x14\x04'
seed fuzz_plain_text_codec ansi '\x80 5\x96 caf\xe9\r\n'
status='\r\nVantor, RV5:V105S SYS:01234 Bat=9.1V Tmp=23C PwrDown=ON=01:30 Faf=OFF Arc=ON Sens=ON SLev=45%% Cal=123\r\nK*Log=OFF L*Log=ON J*Log=OFF Cam=5\r\nVel=f/s Tmp=cel Tim=sec\r\nMaxFol=10 MaxStr=20 MaxSho=99\r\nAtt=07 08 09 11\r\nDAT>'
seed fuzz_status_parser status "$status"
seed fuzz_status_parser mempos 'W\r\nMMR: Fol=03 Str=12 Siz=25 Sho=07\r\nAtt=03 12 25 07\r\nDAT>'
seed fuzz_status_parser cal '\r\nCAL: Calibrating sensors...\r\nCAL: Level=120 Noise 12 dB\r\nDAT>'
seed fuzz_status_parser number ' -12.5e3x'
seed fuzz_load_line full 'LOAD: Charge=42,5gr | Powder=Varget | Bullet=SMK 168 gr | CBTO=2.150in | Primer=CCI BR2 | Case=Lapua | Temp=21 C | Note=a|b #01 2800 f/s'
seed fuzz_load_line odd '  load:charge= | =x |bullet=7 | oal=abc | Colour=red'
# term_rx: setup byte, switch byte, then header+chunk records (see fuzz/fuzz_term_rx.cpp)
seed fuzz_term_rx lines '\x00\x05\x0aCAP: 1\r\n\x07#12\r\x08\x81\xff\x03ab\x08'
seed fuzz_term_rx long '\x1f\x1f\x48xxxxxxxx\x02\r\n\x41\x08'
# xlsx_reader: the workbooks other programs wrote (tests/data/xlsx) as they are, and each also
# as the list of parts the target packs itself (see fuzz/fuzz_xlsx_reader.cpp).
mkdir -p "$out/seeds/fuzz_xlsx_reader"
for book in "$root"/tests/data/xlsx/*.xlsx; do
  cp "$book" "$out/seeds/fuzz_xlsx_reader/"
  /usr/bin/python3 - "$book" "$out/seeds/fuzz_xlsx_reader/$(basename "$book" .xlsx).parts" <<'PY'
import sys, zipfile
parts = ["[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
         "xl/sharedStrings.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
         "xl/worksheets/_rels/sheet1.xml.rels", "docProps/core.xml", "docProps/custom.xml"]
out = bytearray()
with zipfile.ZipFile(sys.argv[1]) as z:
    for i, name in enumerate(parts):
        if name in z.namelist():
            data = z.read(name)[:65535]
            out += bytes([i]) + len(data).to_bytes(2, "big") + data
open(sys.argv[2], "wb").write(out)
PY
done

# Importers: one small file of each layout (first byte of the MagnetoSpeed seeds picks the layout).
seed fuzz_import_shotview ios '\xef\xbb\xbf"T"\n#,SPEED (FPS),D,KE,PF,TIME,A,B,C\n1, 2801.5, -4.0, , , 9:14:03\xe2\x80\xafAM, , , "" \n-,,,,,,\nSTD DEV,3.3,,,\nDATE, "March 3, 2026 at 9:13 AM",,\xef\xbb\xbf'
seed fuzz_import_shotview de 'T, 40,0 gr\n\xef\xbb\xbf#,Tempo (MPS),D,KE,PF,Zeit,a,b,c\n1,"488,3","1,2",,,17:09:22,,,\nDatum,"JULI 02, 2024 17:08",,\n'
seed fuzz_import_labradar sd 'sep=;\r\nDevice ID;LBR-1;;\x00   \r\n\x00Units velocity;fps;;\x00   \r\n\x00Stats - Std. Dev;4.51;fps;\x00\r\nShot ID;V0;V10;Date;Time\r\n0001;2646;2634;04-12-2025;14:02:11;\r\n'
seed fuzz_import_magnetospeed v3 '\x00Series,1, Shots:,2\nAvg,2806,S-D,5.6\nSeries,Shot,Speed,\n1,1,2801,ft/s\n1,2,2812,ft/s\n----,----,----,----\n'
seed fuzz_import_magnetospeed xfr '\x01Synced on:,2025-04-12 14:10:00\nSeries,2025-04-12,Shots:,1\nNotes,42gr\n1,2801,ft/s\n----,----\n'
seed fuzz_import_prochrono list 'Shot List,Index,Velocity,a,b,c,d,e,Date\nS 1,1,2811,,,,,,4/12/2025 14:20:05\n'
seed fuzz_import_prochrono rows 'Shot 1,Shot 2\n2811,2807\n4/12/2025 14:20:05\n'
seed fuzz_import_fit tiny '\x0e\x10\x00\x00\x15\x00\x00\x00.FIT\x00\x00\x41\x00\x01\x01\x84\x02\x00\x04\x86\x01\x02\x84\x81\x00\x04\x94\x5b\x00\x01\x00\x00'

seed fuzz_import_xls header '\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1'
[ -f "$root/tests/data/xls/shotview-like.xls" ] && cp "$root/tests/data/xls/shotview-like.xls" "$out/seeds/fuzz_import_xls/"

chrono=${ZX_CHRONO_SAMPLES:-"$root/../shared/samples/chrono"}
[ -d "$chrono" ] || chrono="$root/../../shared/samples/chrono"

samples=${ZX_RTF_SAMPLES:-"$root/../shared/samples/rtf"}
[ -d "$samples" ] || samples=/work/shared/samples/rtf

mkdir -p "$out/logs" "$out/findings"
summary=()
status_all=0
for t in "${targets[@]}"; do
  corpus="$out/corpus/$t"
  mkdir -p "$corpus"
  extra=("$out/seeds/$t")
  [ "$t" = fuzz_rtf_reader ] && [ -d "$samples" ] && extra+=("$samples")
  case $t in fuzz_import_*) [ -d "$chrono" ] && extra+=("$chrono") ;; esac
  maxlen=4096
  [ "$t" = fuzz_rtf_reader ] && maxlen=16384
  [ "$t" = fuzz_term_rx ] && maxlen=8192
  case $t in fuzz_import_*) maxlen=16384 ;; fuzz_xlsx_reader) maxlen=65536 ;; esac
  log="$out/logs/$t.log"
  echo "== $t for ${secs}s (log: $log)"
  rc=0
  ( cd "$out" && nice -n 10 "$out/fuzz/$t" -max_total_time="$secs" -rss_limit_mb=2048 -timeout=25 \
      -max_len=$maxlen -print_final_stats=1 -artifact_prefix="$out/findings/$t-" \
      "$corpus" "${extra[@]}" ) >"$log" 2>&1 || rc=$?
  execs=$(grep -oE 'stat::number_of_executed_units: +[0-9]+' "$log" | grep -o '[0-9]*$' || echo "?")
  speed=$(grep -oE 'stat::average_exec_per_sec: +[0-9]+' "$log" | grep -o '[0-9]*$' || echo "?")
  files=$(find "$corpus" -type f | wc -l)
  verdict="clean"
  if [ $rc -ne 0 ]; then
    verdict="FINDING (exit $rc): $(grep -m1 -E 'ERROR:|invariant broken|runtime error|deadly signal' "$log" || echo 'see log')"
    status_all=1
  fi
  summary+=("$t: executions=$execs exec/s=$speed corpus=$files $verdict")
done
echo
printf '%s\n' "${summary[@]}" | tee "$out/logs/summary.txt"
exit $status_all
