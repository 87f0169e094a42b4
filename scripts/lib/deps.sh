# Installs the Debian packages the project needs when they are missing (apt-get, through sudo
# when not root). Sourced by the README's commands.

hw_packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev git
  libfmt-dev libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth openbox jq
)

# The Windows leg of the tests: the cross compiler, GoogleTest's sources and Wine.
hw_windows_packages=(
  g++-mingw-w64-x86-64-posix googletest wine wine64
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

# Configures and builds one build folder: hw_build DIR [cmake options...]
hw_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
