# The libFuzzer targets of the clang sanitizer build. Sourced by scripts/test and scripts/fuzz.

hw_fuzz_targets=(record_fuzz conversion_fuzz)

# Runs every fuzz target of build folder DIR for SECONDS, all at once, each in a scratch folder
# of its own under DIR/fuzz (its corpus stays there between runs), and prints each target's last
# status line: hw_fuzz DIR SECONDS. Fails when any target finds a crash, a leak or a hang; the
# input that shows it is left in that target's folder. A hang is a run of 60 s: one conversion
# of a sample whose tables claim tens of thousands of long records takes seconds under the
# sanitizers, and more on a busy machine.
hw_fuzz() {
  local dir=$1 seconds=$2
  local t pids=() failed=0
  for t in "${hw_fuzz_targets[@]}"; do
    mkdir -p "$dir/fuzz/$t/corpus"
    (
      cd "$dir/fuzz/$t" &&
        ASAN_OPTIONS=detect_leaks=1 "../../tests/fuzz/$t" -max_total_time="$seconds" \
          -timeout=60 -rss_limit_mb=4096 -max_len=4096 -len_control=0 -print_final_stats=1 corpus >log.txt 2>&1
    ) &
    pids+=($!)
  done
  local i
  for i in "${!pids[@]}"; do
    t=${hw_fuzz_targets[$i]}
    if ! wait "${pids[$i]}"; then
      failed=1
      echo "$t: FOUND A FAULT (see $dir/fuzz/$t/log.txt)"
      tail -n 40 "$dir/fuzz/$t/log.txt"
    fi
    echo "$t: $(grep -E '^#[0-9]+' "$dir/fuzz/$t/log.txt" | tail -n 1)"
  done
  return $failed
}
