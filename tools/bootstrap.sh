#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and this machine lacks.
# Survives a broken package index: a failed update is a warning, and an install that cannot be
# resolved is tried again from the base release. The 32-bit Wine is installed only where the
# kernel can execute 32-bit programs.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(cmake make g++ googletest libgtest-dev libbenchmark-dev
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth imagemagick x11-apps fonts-wine fp-utils zip unzip libxml2-utils
          clang libclang-rt-dev)
i386=no
if "$here/can-run-i386.sh"; then
  i386=yes
  packages+=(wine32:i386)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing_packages() {
  local p; for p in "${packages[@]}"; do installed "$p" || echo "$p"; done
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ "$i386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
# One index failing to download (a mirror mid-sync) must not stop us: the base release
# usually has everything.
$sudo apt-get update -q || echo "bootstrap: warning: apt-get update failed; going on with the indexes that did download" >&2

install() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@"
}
if ! install "${missing[@]}"; then
  # i386 libraries must match their amd64 twins' version exactly; when an update suite's
  # i386 index is missing, only the base release offers a consistent set.
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if [ -n "$codename" ]; then
    echo "bootstrap: trying again from the base release ($codename)" >&2
    install -t "$codename" "${missing[@]}"
  fi
fi

mapfile -t still < <(missing_packages)
if [ ${#still[@]} -ne 0 ]; then
  echo "bootstrap: could not install: ${still[*]}" >&2
  exit 1
fi
