# Installs the Debian packages the project needs when they are missing (apt-get, through sudo
# when not root). Sourced by the README's commands.

hw_packages=(
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-dev
  libgtest-dev libgmock-dev git
  libfmt-dev libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth openbox jq
)

hw_ensure_packages() {
  local missing=()
  local p
  for p in "${hw_packages[@]}"; do
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

# Configures and builds one build folder: hw_build DIR [cmake options...]
hw_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# The sanitizer build: clang with AddressSanitizer and UBSan, and the libFuzzer targets.
hw_build_sanitized() {
  hw_build "$1" -DCMAKE_CXX_COMPILER="$(command -v clang++)" -DHW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
}
