#!/usr/bin/env bash
# Runs the Windows programs under Wine against the Linux build, in a folder whose name holds an
# accented letter: hwsample.exe must write the same sample installation as hwsample, hwdump.exe
# must print the same records, and converting that installation with hwconvert-batch.exe must
# leave new data folders (every file, the log among them), transcripts and prior installations
# byte for byte the same as the Linux run.
# Usage: windows_end_to_end.sh LINUX_APPS_DIR WINDOWS_APPS_DIR
set -euo pipefail
linux_apps=$1
windows_apps=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/hwconvert-e2e-café.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$linux_apps/hwsample" --users 4 --collections 2 "$work/linux" >/dev/null
wine "$windows_apps/hwsample.exe" --users 4 --collections 2 "$work/windows" >/dev/null
diff -r "$work/linux" "$work/windows"
cp -a "$work/linux" "$work/sample"

# The dumps differ only in the file name they start with and in Windows' line ends.
table=n/Hoardwise/video/Coin.vsd
"$linux_apps/hwdump" "$work/linux/$table" | tail -n +2 >"$work/linux.dump"
wine "$windows_apps/hwdump.exe" "$work/windows/$table" | tr -d '\r' | tail -n +2 >"$work/windows.dump"
cmp "$work/linux.dump" "$work/windows.dump"

status=0
(cd "$work/linux/n/Hoardwise" &&
  "$linux_apps/hwconvert-batch" --drive "C=$work/linux/c" --drive "N=$work/linux/n" \
    --answers YYY >"$work/linux.jsonl") || status=$?
# Wine shows the host's folders on drive Z:.
(cd "$work/windows/n/Hoardwise" &&
  wine "$windows_apps/hwconvert-batch.exe" --drive "C=Z:$work/windows/c" \
    --drive "N=Z:$work/windows/n" --answers YYY >"$work/windows.jsonl") || status=$?
[ "$status" -eq 0 ] || { echo "a conversion ended with status $status"; exit 1; }

grep -q '"how":"completed"' "$work/linux.jsonl" || { echo "the Linux run did not complete"; exit 1; }
cmp "$work/linux.jsonl" "$work/windows.jsonl"
diff -r "$work/linux/n" "$work/windows/n"
diff -r "$work/sample/c" "$work/windows/c"
echo "$(find "$work/windows/n" -type f | wc -l) files, the log and the transcript are identical"
