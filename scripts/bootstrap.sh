#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need. Near-instant when all is present.
# With "builds", only what compiling the Windows trees, the native end-to-end program and the installer needs, so
# that the test run can install the rest (Wine, clang, Xvfb: most of what is unpacked) beside those builds.
set -euo pipefail

# mingw-w64's compilers of the win32 thread model only (the programs make their threads with CreateThread): the
# posix ones are as large again. The win32 tree looks for makensis when it is configured, the native tree for a
# compiler of 32-bit code.
build_packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev clang-format
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 nasm nsis
  libx11-dev libxtst-dev libxfixes-dev libpng-dev libgtest-dev libgmock-dev libjpeg62-turbo-dev
  libc6-dev-i386 lib32gcc-12-dev  # gcc -m32, for a library the end-to-end program preloads into the 32-bit saver
)
# Sound is captured through ALSA's own file and null devices, without its plugins.
run_packages=(
  clang libclang-rt-14-dev
  wine wine64 wine32:i386 xvfb xauth x11-utils x11-xserver-utils
  libjpeg-turbo-progs cpulimit
  # What Wine loads when present (its fonts, X extensions such as Xinerama for several monitors, TLS), for both
  # builds: named here, as the rest of what Wine recommends (sound servers, video, 3D) goes uninstalled.
  fonts-wine fonts-liberation xfonts-base
  libxinerama1 libxrandr2 libxrender1 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxxf86vm1 libgnutls30
  libxinerama1:i386 libxrandr2:i386 libxrender1:i386 libxcursor1:i386 libxi6:i386 libxcomposite1:i386
  libxfixes3:i386 libxxf86vm1:i386 libgnutls30:i386
)
packages=("${build_packages[@]}")
case "${1:-}" in
  builds) ;;
  "") packages+=("${run_packages[@]}") ;;
  *) echo "usage: $0 [builds]" >&2; exit 2 ;;
esac

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# The 32-bit saver runs on Debian's 32-bit Wine, from the i386 architecture.
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# apt-get source needs a deb-src entry for the same archive as the binary packages.
src_list=/etc/apt/sources.list.d/lumora-deb-src.sources
need_src=0
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then need_src=1; fi

if [ ${#missing[@]} -eq 0 ] && [ $need_src -eq 0 ] && [ $need_i386 -eq 0 ]; then exit 0; fi

[ $need_i386 -eq 0 ] || sudo_if_needed dpkg --add-architecture i386

if [ $need_src -eq 1 ]; then
  uris=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  [ -n "$uris" ] || uris=$(awk '$1=="deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
  sudo_if_needed tee "$src_list" >/dev/null <<SRC
Types: deb-src
URIs: ${uris}
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi

apt_install() {
  # Without what the packages only recommend: on a fresh machine that halves what is unpacked. dpkg does not sync
  # each file to disk (a fifth less time): an install cut short by a power loss is simply run again.
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get -o Dpkg::Options::=--force-unsafe-io install -y -q \
    --no-install-recommends "$@"
}
# The package lists are read again when they lack a package, or when the install fails on them (stale lists name
# files the archive no longer has); not otherwise, so that the install beside the builds leaves alone the lists
# that the libjpeg-turbo build reads its source package from.
if [ $need_i386 -eq 1 ] || [ $need_src -eq 1 ] || ! apt-get install -s -q "${missing[@]}" >/dev/null 2>&1; then
  sudo_if_needed apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}" || { sudo_if_needed apt-get update -q && apt_install "${missing[@]}"; }
fi
