#!/usr/bin/env bash
# What a full device and a killed process leave of the two files one save
# replaces (the chosen file and its companion ".ali"), through the editor's
# own save path (bench/sequara-export).  Before each save the folder holds an
# old pair r.<ext> / r.ali, written from a small three-row alignment; afterwards
# each file is compared byte for byte with that old one and with a complete
# new one, and the pair counted as old/old, new/new, mixed (one old, one new)
# or broken (a file neither old nor new: truncated, missing).  A full device
# must never give mixed or broken.  A kill can give mixed, rarely: both files
# are complete before the first rename, but a kill between the two renames
# leaves the new companion beside the old chosen file (no two renames are one
# step); broken must never happen.
#
#   bench/save-faults.sh full-disk   # a tmpfs mounted at each size of SIZES_KB (needs root)
#   bench/save-faults.sh kill        # kill -9 at a random moment of each save, KILLS per format
#   bench/save-faults.sh read-kill   # kill -9 during FASTA reads: the scratch copy's temporaries left
#   bench/save-faults.sh all         # full-disk and kill (the default)
#
# Run from the project's root folder after building with -DSEQUARA_BUILD_BENCH=ON.  Settings
# (environment): EXPORT (default build/bench/sequara-export), DATA (default
# ../shared/data), WORK (a scratch folder on disk; default a new one under
# /tmp, removed at the end), SIZES_KB="first last step" (default
# "6400 7000 4"), ROWS the full-disk save's mitogenomes (default 200),
# KILLS (default 40), KILL_ROWS the kills' mitogenomes (default all 2,534),
# FORMATS for the kills (default "fasta phylip nexus rdf45-binary ali"),
# SEED for $RANDOM (default 1), READ (default build/bench/sequara-read-bench)
# and READ_KILLS (default 30) for read-kill.
# The sweep takes about ten seconds, the kills about a minute (KILLS=100: three).
set -euo pipefail

mode=${1:-all}
here=$(cd "$(dirname "$0")/.." && pwd)
EXPORT=$(realpath "${EXPORT:-$here/build/bench/sequara-export}")
READ=$(realpath "${READ:-$here/build/bench/sequara-read-bench}")
READ_KILLS=${READ_KILLS:-30}
DATA=${DATA:-$here/../shared/data}
read -r size_first size_last size_step <<<"${SIZES_KB:-6400 7000 4}"
ROWS=${ROWS:-200}
KILLS=${KILLS:-40}
FORMATS=${FORMATS:-fasta phylip nexus rdf45-binary ali}
RANDOM=${SEED:-1}
own_work=0
if [[ -z ${WORK:-} ]]; then WORK=$(mktemp -d /tmp/save-faults.XXXXXX); own_work=1; fi
mnt=$WORK/mnt
cleanup() {
    mountpoint -q "$mnt" 2>/dev/null && umount "$mnt"
    if ((own_work)); then rm -rf "$WORK"; fi
}
trap cleanup EXIT

export_to() {  # ali format out
    "$EXPORT" --ali "$1" --format "$2" --out "$3" >/dev/null 2>&1
}
# old, new or broken: the file compared with its old and its new version.
state() {  # file old new
    if [[ ! -f $1 ]]; then echo broken
    elif cmp -s "$1" "$2"; then echo old
    elif cmp -s "$1" "$3"; then echo new
    else echo broken; fi
}
pair() {  # chosen-state companion-state
    if [[ $1 == broken || $2 == broken ]]; then echo broken
    elif [[ $1 == "$2" ]]; then echo "$1/$2"
    else echo mixed; fi
}
extension() {  # the file sequara-export writes for a format, as "r.<ext>"
    case $1 in
        fasta|mismatch|collapsed) echo txt ;;
        ali) echo ali ;;
        phylip) echo phy ;;
        nexus) echo nex ;;
        *) echo rdf ;;
    esac
}

mkdir -p "$WORK"
cd "$WORK"
[[ -f chrMT_1x.ali ]] || python3 "$here/bench/make-mitogenome-ali.py" --data "$DATA" 1 >/dev/null
# The old pair's alignment: the reference and three mitogenomes, their first 100 columns.
head -n 5 chrMT_1x.ali | awk -F';' -v OFS=';' 'NR == 2 { $0 = "1"; for (i = 2; i <= 100; ++i) $0 = $0 ";" i; print; next }
                                              { sub(/\r$/, ""); print $1, substr($2, 1, 100) }' | sed 's/$/\r/' >three.ali
head -n $((ROWS + 2)) chrMT_1x.ali >rows.ali
if [[ -n ${KILL_ROWS:-} ]]; then head -n $((KILL_ROWS + 2)) chrMT_1x.ali >kill.ali; else cp chrMT_1x.ali kill.ali; fi

full_disk() {
    rm -rf old new && mkdir -p old new "$mnt"
    export_to three.ali fasta old/r
    export_to rows.ali fasta new/r
    echo "full-disk sweep: $ROWS mitogenomes as FASTA to r over an old 3-row pair;" \
         "new r.txt $(stat -c %s new/r.txt) B, r.ali $(stat -c %s new/r.ali) B; $EXPORT"
    declare -A count=()
    local size
    for ((size = size_first; size <= size_last; size += size_step)); do
        mount -t tmpfs -o size=${size}k tmpfs "$mnt"
        cp old/r.txt old/r.ali "$mnt/"
        local rc=0
        "$EXPORT" --ali rows.ali --format fasta --out "$mnt/r" >/dev/null 2>"$WORK/err" || rc=$?
        local p
        p=$(pair "$(state "$mnt/r.txt" old/r.txt new/r.txt)" "$(state "$mnt/r.ali" old/r.ali new/r.ali)")
        local left
        left=$(find "$mnt" -name '*.tmp*' | wc -l)
        count[$p]=$((${count[$p]:-0} + 1))
        ((left == 0)) || count[temporaries-left]=$((${count[temporaries-left]:-0} + 1))
        printf '%6d KB  exit %d  %-8s temporaries %d  %s\n' "$size" "$rc" "$p" "$left" "$(head -c 120 "$WORK/err")"
        umount "$mnt"
    done
    printf 'full-disk totals:'
    for key in old/old new/new mixed broken temporaries-left; do printf ' %s %d' "$key" "${count[$key]:-0}"; done
    printf '\n'
}

kill_runs() {
    echo "kill -9 during saves of $(($(wc -l <kill.ali) - 2)) x 16569 over an old 3-row pair, $KILLS per format; $EXPORT"
    local format total_killed=0 total_bad=0
    for format in $FORMATS; do
        local ext
        ext=$(extension "$format")
        rm -rf old new && mkdir -p old new
        export_to three.ali "$format" old/r
        # The complete save once, for its bytes and its length.
        local start end seconds
        start=$(date +%s.%N)
        export_to kill.ali "$format" new/r
        end=$(date +%s.%N)
        seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
        declare -A count=()
        local run
        for ((run = 0; run < KILLS; ++run)); do
            rm -rf k && mkdir k
            cp old/r.* k/
            # A moment from a tenth of the whole save to a tenth past its end.
            local delay
            delay=$(awk -v s="$seconds" -v r="$RANDOM" 'BEGIN { printf "%.3f", s * (0.1 + 1.0 * r / 32767) }')
            "$EXPORT" --ali kill.ali --format "$format" --out k/r >/dev/null 2>&1 &
            local pid=$!
            sleep "$delay"
            local how=killed
            kill -9 "$pid" 2>/dev/null || how=finished
            wait "$pid" 2>/dev/null || true
            local p
            if [[ $ext == ali ]]; then
                p=$(state k/r.ali old/r.ali new/r.ali)
                [[ $p == broken ]] || p="$p/$p"
            else
                p=$(pair "$(state "k/r.$ext" "old/r.$ext" "new/r.$ext")" "$(state k/r.ali old/r.ali new/r.ali)")
            fi
            count[$how]=$((${count[$how]:-0} + 1))
            count[$p]=$((${count[$p]:-0} + 1))
            if [[ $how == killed ]] && find k -name '*.tmp*' | grep -q .; then
                count[while-writing]=$((${count[while-writing]:-0} + 1))
            fi
        done
        printf '%-13s save %.2f s:' "$format" "$seconds"
        for key in killed while-writing finished old/old new/new mixed broken; do
            printf ' %s %d' "$key" "${count[$key]:-0}"
        done
        printf '\n'
        total_killed=$((total_killed + ${count[killed]:-0}))
        total_bad=$((total_bad + ${count[mixed]:-0} + ${count[broken]:-0}))
        unset count
    done
    echo "kill totals: killed $total_killed, mixed or broken $total_bad"
}

# kill -9 during FASTA reads of the 2,534 mitogenomes, then one complete
# read: how many of the scratch copy's temporary files stay in the folder.
read_kills() {
    local fasta=$WORK/mt.fasta
    [[ -f $fasta ]] || gunzip -c "$DATA/1000genomes-chrMT/chrMT_sequences_2534.20160505.fasta.gz" >"$fasta"
    rm -rf reads && mkdir reads && cd reads
    local start end seconds
    start=$(date +%s.%N)
    "$READ" --fasta "$fasta" >/dev/null 2>&1
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    local run killed=0 most=0 left
    for ((run = 0; run < READ_KILLS; ++run)); do
        "$READ" --fasta "$fasta" >/dev/null 2>&1 &
        local pid=$!
        sleep "$(awk -v s="$seconds" -v r="$RANDOM" 'BEGIN { printf "%.3f", s * (0.1 + 0.8 * r / 32767) }')"
        kill -9 "$pid" 2>/dev/null && killed=$((killed + 1))
        wait "$pid" 2>/dev/null || true
        left=$(find . -name 'Interim_Sto.txt.tmp*' | wc -l)
        ((left > most)) && most=$left
    done
    local before
    before=$(find . -name 'Interim_Sto.txt.tmp*' | wc -l)
    "$READ" --fasta "$fasta" >/dev/null 2>&1
    left=$(find . -name 'Interim_Sto.txt.tmp*' | wc -l)
    printf 'read kills: a read %.2f s, %d of %d killed, at most %d scratch temporaries at once, %d after the kills,' \
        "$seconds" "$killed" "$READ_KILLS" "$most" "$before"
    printf ' %d after one complete read; Interim_Sto.txt %s B\n' "$left" "$(stat -c %s Interim_Sto.txt)"
    cd ..
}

case $mode in
    full-disk) full_disk ;;
    kill) kill_runs ;;
    read-kill) read_kills ;;
    all) full_disk; kill_runs ;;
    *) sed -n '2,26p' "$0"; exit 2 ;;
esac
