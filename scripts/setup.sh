#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test VTKSUP:
# the mingw-w64 toolchains, Wine for 64-bit and 32-bit programs (the product
# is a 32-bit DLL), Xvfb, a Japanese font, the ja_JP locale (Wine takes its
# ANSI code page 932 from it) and GoogleTest sources.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(cmake g++ make clang
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
          wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick locales fonts-ipafont-gothic
          googletest libgtest-dev
          llvm lld unzip)  # the import library for the Microsoft linker, its test host, the package check

SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo
# 32-bit Wine comes from the i386 architecture's packages.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
