#!/usr/bin/env bash
# Cross-builds libjpeg-turbo (Debian's source package, SIMD on) as a static library for one Windows target.
# Usage: build-libjpeg-win.sh TOOLCHAIN_FILE INSTALL_DIR SOURCE_CACHE_DIR
# Does nothing when INSTALL_DIR already holds the library.
set -euo pipefail
toolchain=$1 prefix=$2 cache=$3

[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] && exit 0

mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
src=$(find "$cache" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
if [ -z "$src" ]; then
  (cd "$cache" && apt-get source -q libjpeg-turbo >apt-source.log 2>&1) || { cat "$cache/apt-source.log"; exit 1; }
  src=$(find "$cache" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
fi
flock -u 9

work="$prefix.build"
mkdir -p "$(dirname "$prefix")"
rm -rf "$work"
cmake -S "$src" -B "$work" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_ASM_NASM_COMPILER=nasm \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
  -DWITH_JPEG8=OFF >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
cmake --build "$work" --target jpeg-static >>"$work.log" 2>&1 || { tail -50 "$work.log"; exit 1; }
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$work/jconfig.h" "$prefix/include/"
rm -rf "$work"
