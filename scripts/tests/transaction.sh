#!/usr/bin/env bash
# The install as one transaction, between processes and against the disk:
# two installs of different mods started together (exactly one proceeds, the
# other stops with the lock's message and status 1, the game ends as that one
# install left it), and a full disk (a small tmpfs, where this machine lets
# root mount one): the run stops before any change and names the reason.
#
#   scripts/tests/transaction.sh RESULTS-DIR
set -uo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/results.sh"
cd "$PELLWISE_ROOT"

results="${1:?results directory}"
mkdir -p "$results"
pellwise=${PELLWISE_CONSOLE:-build/release/pellwise}
work="$PELLWISE_ROOT/build/transaction-test"
if [ ! -x "$pellwise" ]; then
    cmake --preset release >/dev/null && cmake --build --preset release --target pellwise_console >/dev/null
fi
report_to "$results/transaction.xml" transaction Transaction

# tree DIR [EXCLUDED]: the game as a player sees it, without pellwise-backup.
tree() {
    (cd "$1" && find . \( -path ./pellwise-backup -o -path "./${2:-none}" \) -prune -o -type f -print0 | sort -z |
        xargs -0 -r md5sum)
}
install() { "$pellwise" install --game "$1" --mod "$1/$2" --all-missions --overwrite yes --replace-files yes; }

rm -rf "$work"
mkdir -p "$work"
"$pellwise" sample "$work/pristine" --missions 30 --scene-size 1000000 --entries 50000 >/dev/null
cp -a "$work/pristine" "$work/reference"
install "$work/reference" Tarnwick >/dev/null 2>&1
tree "$work/reference" >"$work/installed.tree"

# ---- Two mods started together ---------------------------------------------
cp -a "$work/pristine" "$work/game"
cp -a "$work/game/Tarnwick" "$work/game/Second"
install "$work/game" Tarnwick >"$work/first.txt" 2>&1 &
first=$!
install "$work/game" Second >"$work/second.txt" 2>&1 &
second=$!
wait "$first"
first_status=$?
wait "$second"
second_status=$?
statuses="$first_status $second_status"
if [ "$statuses" = "0 1" ]; then loser="$work/second.txt"; elif [ "$statuses" = "1 0" ]; then loser="$work/first.txt"; fi
if [ -n "${loser:-}" ] && grep -q "another installation is running in this game folder" "$loser"; then
    record TwoInstallsStartedTogetherOneProceeds ""
else
    record TwoInstallsStartedTogetherOneProceeds "exit statuses $statuses (see $work/first.txt, $work/second.txt)"
fi
# Both mods are the same files under two names, so either winner leaves the
# installed tree; the ledger names the one that ran.
if diff -q "$work/installed.tree" <(tree "$work/game" Second) >/dev/null &&
    [ "$(grep -c '^install' "$work/game/pellwise-backup/ledger.txt")" -eq 1 ]; then
    record TheGameIsTheResultOfTheOneInstall ""
else
    record TheGameIsTheResultOfTheOneInstall "the tree or the ledger differs"
fi

# ---- A full disk -------------------------------------------------------------
disk="$work/disk"
mkdir -p "$disk"
if mount -t tmpfs -o size=4m pellwise-full-disk "$disk" 2>/dev/null; then
    "$pellwise" sample "$disk/game" --missions 3 >/dev/null
    # Leave less room than the staged files need.
    dd if=/dev/zero of="$disk/filler" bs=1k count=$(($(df -k --output=avail "$disk" | tail -1) - 64)) 2>/dev/null
    before=$(tree "$disk/game")
    install "$disk/game" Tarnwick >"$work/full.txt" 2>&1
    status=$?
    if [ "$status" -eq 1 ] && grep -q "no space left on the disk" "$work/full.txt" &&
        [ "$before" = "$(tree "$disk/game")" ] && [ ! -e "$disk/game/pellwise-backup" ]; then
        record AFullDiskStopsTheRunBeforeAnyChange ""
    else
        record AFullDiskStopsTheRunBeforeAnyChange "status $status (see $work/full.txt)"
    fi
    umount "$disk"
else
    say "No tmpfs can be mounted here; the full-disk case is skipped"
fi

rm -rf "$work/pristine" "$work/reference" "$work/game"
write_report
