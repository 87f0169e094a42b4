# Installs the Debian packages the project needs when they are missing (apt-get, through sudo
# when not root). Sourced by the README's commands.

hw_packages=(
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev git
  libfmt-dev libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth openbox x11-utils jq
  dpkg-dev file
  chromium fonts-dejavu-core
)

# The Windows leg of the tests: the cross compiler, GoogleTest's sources and Wine, and unzip
# for the zip's test.
hw_windows_packages=(
  g++-mingw-w64-x86-64-posix googletest wine wine64 unzip
)

# hw_ensure_packages [more packages...]: the project's packages and any given.
hw_ensure_packages() {
  local missing=()
  local p
  for p in "${hw_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Headless Chromium as the tests and scripts run it: no sandbox (root), no network, a
# throw-away profile. hw_chromium ARGS... (for example --dump-dom URL, or --screenshot=FILE URL)
hw_chromium() {
  local profile
  profile=$(mktemp -d)
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" "$@" 2>/dev/null
  local status=$?
  rm -rf "$profile"
  return $status
}

# Configures and builds one build folder, a release build unless the options say otherwise:
# hw_build DIR [cmake options...]
hw_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# The sanitizer build: clang with AddressSanitizer and UBSan, and the libFuzzer targets.
hw_build_sanitized() {
  hw_build "$1" -DCMAKE_CXX_COMPILER="$(command -v clang++)" -DHW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DHW_WERROR=ON
}
