#!/usr/bin/env bash
# Makes the package of a built tree and checks what a collector's machine receives: the files,
# the licence texts and programs that run; for the Debian package of the Linux build also its
# dependencies, for the zip of the Windows build that its programs run under Wine.
# package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" || {
  cat "$tmp/cpack.log"
  exit 1
}

# Every library named in the licence texts FILE, by its Debian package: has_terms FILE PACKAGE...
has_terms() {
  local file=$1 library
  shift
  for library; do
    grep -q -- "-------- $library --------" "$file" || {
      echo "$(basename "$file") lacks the terms of $library"
      exit 1
    }
  done
}

zip=$tmp/out/HWConvert-$version-windows-x64.zip
if grep -q 'CPACK_GENERATOR "ZIP"' "$build/CPackConfig.cmake"; then
  [ -f "$zip" ] || {
    echo "no $(basename "$zip"); CPack made:" $(ls "$tmp/out")
    exit 1
  }
  unzip -q "$zip" -d "$tmp/root"
  top=$tmp/root/HWConvert-$version-windows-x64
  diff -u - <(cd "$top" && find . -type f | sort) <<LIST
./LICENSES.txt
./README.txt
./hwconvert-batch.exe
./hwconvert.exe
./hwdump.exe
./hwsample.exe
LIST
  for program in hwconvert hwconvert-batch hwdump hwsample; do
    # Line ends as Windows writes them.
    got=$(wine "$top/$program.exe" --version | tr -d '\r')
    [ "$got" = "$program $version" ] || {
      echo "$program.exe --version printed '$got'"
      exit 1
    }
    if x86_64-w64-mingw32-objdump -h "$top/$program.exe" | grep -q '\.debug'; then
      echo "$program.exe is not stripped"
      exit 1
    fi
  done
  has_terms "$top/LICENSES.txt" libfmt-dev libcli11-dev nlohmann-json3-dev mingw-w64-x86-64-dev \
    g++-mingw-w64-x86-64-posix
  echo "package: $(basename "$zip") checked"
  exit 0
fi
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
has_terms "$tmp/root/usr/share/doc/hwconvert/copyright" libcli11-dev nlohmann-json3-dev
echo "package: $(basename "$deb") checked"
