#!/bin/bash
# compare_swiss.sh ENGINE DIR
#
# Replays every tournament DIR/*.trf round by round.  For round r (1..R) it
# writes a TRF holding only rounds 1..r-1 (plus, in column r, the known
# absences of round r: H/F/Z byes), with "XXR R" and "XXC white1|black1",
# runs   ENGINE --dutch in.trf -p out.txt   and compares the pairing with the
# tournament's actual round r: same pairs, same colours, same
# pairing-allocated bye.  The reference engine (REF) is run on the same input
# in the same run for timing and as a check of the input construction.
#
# Environment:
#   REF=path       a second engine to time and compare on the same inputs
#                  (default none)
#   MAXSHOW=n      disagreements to print (default 5)
#   TIMEOUT=s      per-round limit for each engine run (default 900)
#   EOL=lf|crlf|cr line ends of the generated inputs (default lf)
#   KEEP=dir       keep the generated inputs/outputs in dir
#   ONLY=regex     only files whose name matches (grep -E)
# Exit status: 0 all rounds identical, 1 some differ, 2 usage error.

set -u
export LC_ALL=C

if [ $# -ne 2 ] || [ ! -d "$2" ]; then
  echo "usage: $0 ENGINE DIR" >&2
  exit 2
fi
ENGINE=$1
DIR=$2
REF=${REF:-none}
MAXSHOW=${MAXSHOW:-5}
TIMEOUT=${TIMEOUT:-900}
EOL=${EOL:-lf}
ONLY=${ONLY:-}

if [ "$REF" != none ] && [ ! -x "$REF" ]; then
  echo "reference engine $REF not found (set REF=path or REF=none)" >&2
  exit 2
fi

if [ -n "${KEEP:-}" ]; then
  WORK=$KEEP; mkdir -p "$WORK"
else
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/cmpswiss.XXXXXX")
  trap 'rm -rf "$WORK"' EXIT
fi

# ---------------------------------------------------------------------------
# split FILE OUTDIR: writes OUTDIR/rN.trf (input for round N) and OUTDIR/rN.exp
# (the actual pairing of round N, one "white black" or "BYE id" per line,
# "a b ?" where the file gives no colour); prints the number of rounds.
split_rounds() {
  tr '\r' '\n' < "$1" | awk -v outdir="$2" -v eol="$EOL" '
  function pad(s, n) { while (length(s) < n) s = s " "; return s }
  function rtrim(s) { sub(/ +$/, "", s); return s }
  function pts(res,   c) {
    c = toupper(res)
    if (c == "U") return P
    if (c == "1" || c == "W" || c == "+" || c == "F") return W
    if (c == "=" || c == "D" || c == "H" || c == "X") return D
    if (c == "0" || c == "L") return L
    return A                         # "-", "Z", blank
  }
  BEGIN { W = 1; D = 0.5; L = 0; A = 0; P = -1; np = 0; nother = 0
          xxr = 0; init = ""; R = 0
          nl = (eol == "crlf") ? "\r\n" : (eol == "cr") ? "\r" : "\n" }
  {
    line = $0
    tag = substr(line, 1, 3)
    if (tag == "001") {
      np++; pl[np] = line; id[np] = substr(line, 5, 4) + 0
      n = int((length(line) - 91 + 9) / 10)
      for (k = n; k >= 1; k--)
        if (substr(line, 92 + 10 * (k - 1), 8) !~ /^ *$/) break
      if (k > R) R = k
      next
    }
    if (tag == "XXR" || tag == "142") { xxr = substr(line, 4) + 0; next }
    if (tag == "XXC") {
      if (line ~ /white1/) init = "white1"
      if (line ~ /black1/) init = "black1"
      if (line ~ /rank/) rankopt = 1
      next
    }
    if (tag == "152") { init = (substr(line, 5, 1) == "B") ? "black1" : "white1"; next }
    if (tag == "162") {
      for (p = 6; p <= length(line); p += 9) {
        c = substr(line, p, 1); v = substr(line, p + 1, 4) + 0
        if (c == "W") W = v; else if (c == "D") D = v; else if (c == "L") L = v
        else if (c == "A") A = v; else if (c == "P") P = v
      }
    }
    if (tag == "BBW") W = substr(line, 4) + 0
    if (tag == "BBD") D = substr(line, 4) + 0
    if (tag == "BBL") L = substr(line, 4) + 0
    if (tag == "BBZ" || tag == "BBF") A = substr(line, 4) + 0
    if (tag == "BBU") P = substr(line, 4) + 0
    if (substr(line, 1, 3) == "###") next
    if (line ~ /^ *$/) next
    other[++nother] = line
  }
  END {
    if (P < 0) P = W
    if (xxr < R) xxr = R
    width = 91 + 10 * R
    for (i = 1; i <= np; i++) pl[i] = pad(pl[i], width)
    if (init == "") {              # colour of the top round-1 participant
      # order by pairing number
      for (i = 1; i <= np; i++) ord[i] = i
      for (i = 2; i <= np; i++) { t = ord[i]; j = i - 1
        while (j >= 1 && id[ord[j]] > id[t]) { ord[j + 1] = ord[j]; j-- }
        ord[j + 1] = t }
      j = 0
      for (q = 1; q <= np && init == ""; q++) {
        e = substr(pl[ord[q]], 92, 8)
        o = substr(e, 1, 4); c = substr(e, 6, 1); res = toupper(substr(e, 8, 1))
        if (o ~ /^ *0*$/ && res != "U") continue   # did not take part in the pairing
        if (c == "w" || c == "b") {
          white = (c == "w"); if (j % 2) white = !white
          init = white ? "white1" : "black1"
        }
        j++
      }
      if (init == "") init = "white1"
    }
    for (r = 1; r <= R; r++) {
      f = outdir "/r" r ".trf"; x = outdir "/r" r ".exp"
      for (i = 1; i <= nother; i++) {
        t = substr(other[i], 1, 3)
        if (t == "240" && substr(other[i], 7, 3) + 0 > r) continue
        printf "%s%s", other[i], nl > f
      }
      for (i = 1; i <= np; i++) {
        s = 0
        for (k = 1; k < r; k++) s += pts(substr(pl[i], 92 + 10 * (k - 1) + 7, 1))
        out = substr(pl[i], 1, 80) sprintf("%4.1f", s) substr(pl[i], 85, 7)
        out = out substr(pl[i], 92, 10 * (r - 1))
        e = substr(pl[i], 92 + 10 * (r - 1), 8)
        o = substr(e, 1, 4); c = substr(e, 6, 1); res = toupper(substr(e, 8, 1))
        key = ""
        if (o ~ /^ *0*$/) {
          if (res == "U") key = "BYE " id[i]
          else if (e ~ /^ *$/) out = out "0000 - Z"   # blank entry = known absence
          else out = out e                           # H, F, Z ...: not to be paired
        } else if (c == "w") key = id[i] " " (o + 0)
        else if (c == "b") key = (o + 0) " " id[i]
        else key = ((id[i] < o + 0) ? id[i] " " (o + 0) : (o + 0) " " id[i]) " ?"
        if (key != "" && !((r, key) in done)) { done[r, key] = 1; print key > x }
        printf "%s%s", rtrim(out), nl > f
      }
      printf "XXR %d%s", xxr, nl > f
      printf "XXC %s%s%s", (rankopt ? "rank " : ""), init, nl > f
      close(f); printf "" >> x; close(x)
    }
    print R
  }'
}

# normalise OUT: an engine's pairing list -> sorted "w b" / "BYE id";
# prints "MALFORMED" if the count line does not match
normalise_output() {
  tr '\r' '\n' < "$1" | awk '
    NF == 0 { next }
    !seen { seen = 1; want = $1 + 0; next }
    { got++; if ($2 + 0 == 0) print "BYE " ($1 + 0); else print ($1 + 0) " " ($2 + 0) }
    END { if (!seen || got != want) print "MALFORMED count=" want " lines=" got }' | sort
}

# compare EXP GOT -> prints nothing when identical, else a one-line diff
compare_pairings() {
  awk '
    FNR == NR { if ($3 == "?") unk[$1 " " $2] = 1; else exp_[$0] = 1; next }
    { if ($1 == "MALFORMED") { bad = $0; next }
      if ($1 != "BYE") { k1 = $1 " " $2; k2 = $2 " " $1
        if (k1 in unk) { delete unk[k1]; next }
        if (k2 in unk) { delete unk[k2]; next } }
      if ($0 in exp_) delete exp_[$0]; else extra = extra " [" $0 "]" }
    END {
      for (k in exp_) miss = miss " [" k "]"
      for (k in unk) miss = miss " [" k " ?]"
      if (bad != "" || miss != "" || extra != "")
        printf "expected-only:%s | got-only:%s%s\n", (miss == "" ? " -" : miss),
          (extra == "" ? " -" : extra), (bad == "" ? "" : " | " bad)
    }' "$1" "$2"
}

now_ns() { date +%s%N; }

run_engine() {   # run_engine EXE IN OUT -> sets RC and MS
  local s e
  rm -f "$3"
  s=$(now_ns)
  timeout "$TIMEOUT" "$1" --dutch "$2" -p "$3" > "$3.log" 2>&1
  RC=$?
  e=$(now_ns)
  MS=$(( (e - s) / 1000000 ))
}

total=0; same=0; refsame=0; fails=0; shown=0; files=0
etot=0; rtot=0; eworst=0; rworst=0; eworst_at=""; rworst_at=""
declare -A g_n g_same g_et g_rt

shopt -s nullglob
for trf in "$DIR"/*.trf; do
  base=$(basename "$trf" .trf)
  if [ -n "$ONLY" ] && ! grep -Eq "$ONLY" <<< "$base"; then continue; fi
  files=$((files + 1))
  d="$WORK/$base"; mkdir -p "$d"
  R=$(split_rounds "$trf" "$d")
  grp=$(sed -n 's/^n0*\([0-9]*\)_.*/\1/p' <<< "$base"); grp=${grp:-other}
  for ((r = 1; r <= R; r++)); do
    in="$d/r$r.trf"; exp="$d/r$r.exp"
    total=$((total + 1)); g_n[$grp]=$(( ${g_n[$grp]:-0} + 1 ))
    if [ "$REF" != none ]; then
      run_engine "$REF" "$in" "$d/r$r.ref"
      rms=$MS; rrc=$RC
      rtot=$((rtot + rms)); g_rt[$grp]=$(( ${g_rt[$grp]:-0} + rms ))
      if [ "$rms" -gt "$rworst" ]; then rworst=$rms; rworst_at="$base r$r"; fi
      if [ "$rrc" -eq 0 ] && [ -f "$d/r$r.ref" ] &&
         [ -z "$(compare_pairings "$exp" <(normalise_output "$d/r$r.ref"))" ]; then
        refsame=$((refsame + 1))
      fi
    fi
    run_engine "$ENGINE" "$in" "$d/r$r.out"
    ems=$MS; erc=$RC
    etot=$((etot + ems)); g_et[$grp]=$(( ${g_et[$grp]:-0} + ems ))
    if [ "$ems" -gt "$eworst" ]; then eworst=$ems; eworst_at="$base r$r"; fi
    if [ "$erc" -ne 0 ] || [ ! -f "$d/r$r.out" ]; then
      fails=$((fails + 1))
      diffline="engine exit status $erc: $(head -c 200 "$d/r$r.out.log" | tr '\n' ' ')"
    else
      diffline=$(compare_pairings "$exp" <(normalise_output "$d/r$r.out"))
    fi
    if [ -z "$diffline" ]; then
      same=$((same + 1)); g_same[$grp]=$(( ${g_same[$grp]:-0} + 1 ))
    elif [ "$shown" -lt "$MAXSHOW" ]; then
      shown=$((shown + 1))
      echo "DIFF $base round $r: ${diffline:0:400}"
    fi
  done
done

if [ "$total" -eq 0 ]; then echo "no rounds found under $DIR" >&2; exit 2; fi

sec() { awk -v m="$1" 'BEGIN { printf "%.3f", m / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "n/a" }'; }

echo "engine: $ENGINE"
echo "reference: $REF"
echo "tournaments: $files   rounds compared: $total"
printf 'AGREEMENT: %d / %d rounds identical (%s%%)   engine failures: %d\n' \
  "$same" "$total" "$(awk -v a="$same" -v b="$total" 'BEGIN { printf "%.2f", 100 * a / b }')" "$fails"
if [ "$REF" != none ]; then
  echo "reference vs actual (input check): $refsame / $total identical"
fi
echo "per size (players: identical/compared, engine s, reference s):"
for g in $(printf '%s\n' "${!g_n[@]}" | sort -n); do
  printf '  %5s: %4d/%-4d engine %9s  ref %9s\n' "$g" "${g_same[$g]:-0}" "${g_n[$g]}" \
    "$(sec "${g_et[$g]:-0}")" "$(sec "${g_rt[$g]:-0}")"
done
echo "time (wall clock per process, same inputs, same run):"
printf '  engine    total %9s s   worst round %8s s (%s)\n' "$(sec $etot)" "$(sec $eworst)" "$eworst_at"
if [ "$REF" != none ]; then
  printf '  reference total %9s s   worst round %8s s (%s)\n' "$(sec $rtot)" "$(sec $rworst)" "$rworst_at"
  printf '  ratio engine/reference: total %s   worst round %s\n' "$(ratio $etot $rtot)" "$(ratio $eworst $rworst)"
fi
[ "$same" -eq "$total" ] && exit 0 || exit 1
