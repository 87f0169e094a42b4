#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks what a collector's machine receives:
# the files, the dependencies and programs that run. package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" || {
  cat "$tmp/cpack.log"
  exit 1
}
deb=$tmp/out/hwconvert_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || {
  echo "no $deb; CPack made:" $(ls "$tmp/out")
  exit 1
}

dpkg-deb -x "$deb" "$tmp/root"
diff -u - <(cd "$tmp/root" && find . -type f -o -type l | sort) <<LIST
./usr/bin/hwconvert
./usr/bin/hwconvert-batch
./usr/bin/hwdump
./usr/bin/hwsample
./usr/bin/hwverify
./usr/share/doc/hwconvert/README.md
./usr/share/doc/hwconvert/copyright
LIST

for program in hwconvert hwconvert-batch hwdump hwsample hwverify; do
  path=$tmp/root/usr/bin/$program
  got=$(QT_QPA_PLATFORM=offscreen "$path" --version)
  [ "$got" = "$program $version" ] || {
    echo "$program --version printed '$got'"
    exit 1
  }
  if readelf -S "$path" | grep -q '\.symtab'; then
    echo "$program is not stripped"
    exit 1
  fi
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 'libfmt[0-9]+' libqt6widgets6 qt6-qpa-plugins; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || {
    echo "Depends lacks $package: $depends"
    exit 1
  }
done

# The libraries compiled into the programs are named with their terms.
for library in libcli11-dev nlohmann-json3-dev; do
  grep -q -- "-------- $library --------" "$tmp/root/usr/share/doc/hwconvert/copyright" || {
    echo "the copyright file lacks the terms of $library"
    exit 1
  }
done
echo "package: $(basename "$deb") checked"
