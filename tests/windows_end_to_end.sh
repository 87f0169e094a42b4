#!/usr/bin/env bash
# Converts one sample installation twice, with the Linux hwconvert-batch and with the Windows
# one under Wine, and checks that the two new data folders (every file, the log among them),
# the transcripts and the untouched prior installations are byte for byte the same.
# Usage: windows_end_to_end.sh LINUX_APPS_DIR WINDOWS_BATCH_EXE
set -euo pipefail
linux_apps=$1
windows_batch=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/hwconvert-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$linux_apps/hwsample" --users 4 --collections 2 "$work/sample" >/dev/null
cp -a "$work/sample" "$work/linux"
cp -a "$work/sample" "$work/windows"

status=0
(cd "$work/linux/n/Hoardwise" &&
  "$linux_apps/hwconvert-batch" --drive "C=$work/linux/c" --drive "N=$work/linux/n" \
    --answers YYY >"$work/linux.jsonl") || status=$?
# Wine shows the host's folders on drive Z:.
(cd "$work/windows/n/Hoardwise" &&
  wine "$windows_batch" --drive "C=Z:$work/windows/c" --drive "N=Z:$work/windows/n" \
    --answers YYY >"$work/windows.jsonl") || status=$?
[ "$status" -eq 0 ] || { echo "a conversion ended with status $status"; exit 1; }

grep -q '"how":"completed"' "$work/linux.jsonl" || { echo "the Linux run did not complete"; exit 1; }
cmp "$work/linux.jsonl" "$work/windows.jsonl"
diff -r "$work/linux/n" "$work/windows/n"
diff -r "$work/sample/c" "$work/windows/c"
echo "$(find "$work/windows/n" -type f | wc -l) files, the log and the transcript are identical"
