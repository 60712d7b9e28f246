#!/usr/bin/env bash
# bench_stamp_batch.sh BUILD_DIR FIXTURES_DIR: stamps every photo of the
# folder with one `inspector-cli stamp` each, beside `vipsthumbnail` shrinking
# the same files to fit 1000 at quality 100, and prints the wall times.
set -euo pipefail
cli="$1/tools/inspector-cli/inspector-cli"
photos=("$2"/photo_*.jpg)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

seconds() { date +%s.%N; }

# The CPU seconds (user + system) of every child process ended so far, into
# variable $1: the steadier figure when other work shares the machine.
child_cpu() {
    times > "$out/times" # in this shell: a subshell has no children of its own
    printf -v "$1" '%s' "$(awk 'NR == 2 {
        split($1, u, /[ms]/); split($2, s, /[ms]/)
        printf "%.3f", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$out/times")"
}

timed() { # timed LABEL COMMAND-PER-PHOTO: runs it for every photo, prints the times
    local label="$1"; shift
    local start end cpu_start cpu_end
    start=$(seconds); child_cpu cpu_start
    for photo in "${photos[@]}"; do "$@" "$photo" "$out/$(basename "$photo")"; done
    end=$(seconds); child_cpu cpu_end
    awk -v l="$label" -v s="$start" -v e="$end" -v cs="$cpu_start" -v ce="$cpu_end" \
        -v n="${#photos[@]}" 'BEGIN {
        printf "%-28s %3d photos  wall %6.3f s (%6.1f ms/photo)  CPU %6.3f s (%6.1f ms/photo)\n",
            l, n, e - s, (e - s) * 1000 / n, ce - cs, (ce - cs) * 1000 / n }'
}

stamp() { "$cli" stamp "$1" "$2" --chkno "A1030 5678" --name "王小明"; }
thumbnail() { vipsthumbnail "$1" -s 1000 -o "$2[Q=100]"; }

echo "batch of ${#photos[@]} camera photos, one process each:"
timed "inspector-cli stamp" stamp
timed "vipsthumbnail -s 1000 Q=100" thumbnail
