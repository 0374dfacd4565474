#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need. Near-instant when all is present.
set -euo pipefail

# mingw-w64's compilers of the win32 thread model only (the programs make their threads with CreateThread): the
# posix ones are as large again. Sound is captured through ALSA's own file and null devices, without its plugins.
packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev pkg-config dpkg-dev
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 nasm
  wine wine64 wine32:i386 xvfb xauth x11-utils x11-xserver-utils libx11-dev libxtst-dev libxfixes-dev libpng-dev
  libgtest-dev libgmock-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs nsis
  cpulimit
  # What Wine loads when present (its fonts, X extensions such as Xinerama for several monitors, TLS), for both
  # builds: named here, as the rest of what Wine recommends (sound servers, video, 3D) goes uninstalled.
  fonts-wine fonts-liberation xfonts-base
  libxinerama1 libxrandr2 libxrender1 libxcursor1 libxi6 libxcomposite1 libxfixes3 libxxf86vm1 libgnutls30
  libxinerama1:i386 libxrandr2:i386 libxrender1:i386 libxcursor1:i386 libxi6:i386 libxcomposite1:i386
  libxfixes3:i386 libxxf86vm1:i386 libgnutls30:i386
)

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

sudo_if_needed apt-get update -q
if [ ${#missing[@]} -gt 0 ]; then
  # Without what the packages only recommend: on a fresh machine that halves what is unpacked.
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
