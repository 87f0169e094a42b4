# The Windows leg of the tests, sourced by scripts/test after the Linux build: builds the
# Windows programs and test suites with mingw-w64, runs every suite under Wine (the window's
# suite on a virtual X display of its own, clicking through the sample conversion), converts
# the sample installation under Wine and on Linux to compare the two byte for byte, and makes
# and checks the Windows zip.

hw_windows_leg() {
  [ "$(uname -s)" = Linux ] || return 0
  local start=$SECONDS
  echo "== Windows: install, build and test under Wine"
  hw_ensure_packages "${hw_windows_packages[@]}"
  hw_build build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DHW_LINUX_BUILD="$PWD/build"

  # A prefix of its own, removed afterwards with its wineserver, and a virtual display for the
  # whole leg: Wine's desktop process takes its display when the prefix starts, so the window's
  # suite can only draw if every Wine process of the prefix shares that one display.
  local prefix display_file xvfb
  prefix=$(mktemp -d)
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
  xvfb=$!
  while [ ! -s "$display_file" ]; do sleep 0.1; done
  export DISPLAY=:$(cat "$display_file")
  # No Mono or Gecko: the prefix is made without asking to install them.
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot --init >/dev/null 2>&1
  local status=0
  ctest --test-dir build-windows --output-on-failure -j "$(nproc)" || status=$?
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$prefix" "$display_file"
  unset WINEPREFIX WINEDEBUG WINEDLLOVERRIDES DISPLAY
  echo "== Windows leg: $((SECONDS - start)) s"
  return $status
}
