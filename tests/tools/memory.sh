# Sourced by the end-to-end memory tests of both programs: pictures that press
# on a program's memory, data files that name them, and the program's peak
# resident memory as the kernel counts it (VmHWM, which is also what a
# Windows process under Wine reports as its peak working set).

MAKE_RGBA_PNG=(/usr/bin/python3 "$QUORBEL_SOURCE_DIR/tests/tools/make_rgba_png.py")

# The most a case may add to the program's peak with its shipped data.
MEMORY_BOUND_MIB=64
# A program that grows this far past that peak is stopped at once: without a
# pixel budget the worst files take tens of GiB of a machine others share.
MEMORY_GUARD_MIB=512

# The cases: what skin 1, logo.png and icons.png are, then what the 256
# thumbnails name. All pictures are true-colour with alpha.
#   over-8000: an 8000 x 8000 picture (244 MiB decoded) for all of them;
#   over-5000: a 5000 x 5000 one (95 MiB), which Qt's own allocation limit
#              (128 MiB) lets through;
#   at-budget: a 2048 x 2048 one (the budget exactly, 16 MiB), and
#              thumbnails naming a 512 x 512 one (1 MiB).
MEMORY_CASES=(over-8000 over-5000 at-budget)

# make_pictures DIR: the cases' pictures, made once.
make_pictures() {
  PICTURES=$1
  mkdir -p "$PICTURES"
  "${MAKE_RGBA_PNG[@]}" "$PICTURES/8000.png" 8000 8000
  "${MAKE_RGBA_PNG[@]}" "$PICTURES/5000.png" 5000 5000
  "${MAKE_RGBA_PNG[@]}" "$PICTURES/budget.png" 2048 2048
  "${MAKE_RGBA_PNG[@]}" "$PICTURES/512.png" 512 512
}

# write_case DIR CASE: turns the shipped data in DIR into the case's.
write_case() {
  local dir=$1 big thumb
  case $2 in
    over-8000) big=8000.png thumb=8000.png ;;
    over-5000) big=5000.png thumb=5000.png ;;
    at-budget) big=budget.png thumb=512.png ;;
    *) echo "write_case: no case $2" >&2; return 1 ;;
  esac
  cp "$PICTURES/$big" "$dir/skins/big.png"
  cp "$PICTURES/$thumb" "$dir/skins/thumb.png"
  cp "$PICTURES/$big" "$dir/logo.png"
  cp "$PICTURES/$big" "$dir/icons.png"
  {
    printf '[Skins]\r\nLanguage=TitleEN\r\nCount=256\r\nSelected=1\r\nBitmap1=skins\\big.png\r\n'
    for n in $(seq 256); do printf 'SBitmap(%d)=skins\\thumb.png\r\n' "$n"; done
    sed -n '/^\[TitleEN\]/,$p' "$dir/Config.ini"
  } >"$dir/Config.ini.case"
  mv "$dir/Config.ini.case" "$dir/Config.ini"
}

peak_kib() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status" 2>/dev/null; }
mib() { awk -v kib="$1" 'BEGIN {printf "%.1f", kib / 1024}'; }

# guard_memory PID LIMIT_KIB FLAG: in the background, stops PID as soon as its
# resident memory passes LIMIT_KIB, and writes what it saw to FLAG.
guard_memory() {
  local pid=$1 limit=$2 flag=$3
  rm -f "$flag"
  (
    while rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null) && [[ -n "$rss" ]]; do
      if ((rss > limit)); then
        echo "$rss" >"$flag"
        kill -9 "$pid" 2>/dev/null
        exit 0
      fi
      sleep 0.05
    done
  ) &
  GUARD_PID=$!
}

# memory_verdict CASE WHEN PEAK FLOOR: the figure beside its floor, and a
# failure past the bound.
memory_verdict() {
  local grown=$(($3 - $4))
  note "$1, $2: peak $(mib "$3") MiB, normal $(mib "$4") MiB, $(mib "$grown") MiB more (bound $MEMORY_BOUND_MIB MiB)"
  ((grown <= MEMORY_BOUND_MIB * 1024)) ||
    fail "$1: the peak $2 is $(mib "$grown") MiB above the normal one, over the bound of $MEMORY_BOUND_MIB MiB"
}

# measure_every_case: the shipped data first, for the floor and the guard,
# then every case against them. The test defines `measure CASE GUARD_KIB`,
# which sets STARTUP_PEAK and DIALOG_PEAK.
measure_every_case() {
  local floor_startup floor_dialog guard case
  measure shipped $((4 * 1024 * 1024))
  floor_startup=$STARTUP_PEAK
  floor_dialog=$DIALOG_PEAK
  guard=$((floor_dialog + MEMORY_GUARD_MIB * 1024))
  for case in "${MEMORY_CASES[@]}"; do
    measure "$case" "$guard"
    memory_verdict "$case" "at start-up" "$STARTUP_PEAK" "$floor_startup"
    memory_verdict "$case" "with the dialog open" "$DIALOG_PEAK" "$floor_dialog"
  done
}
