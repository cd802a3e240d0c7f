#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12; quick when all is there.
set -euo pipefail

# Debian packages the project needs. i386 ones need the i386 architecture.
packages=(
  cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine32:i386 wine64 xvfb xauth x11-utils locales
  libfreetype-dev fonts-ipafont-gothic fonts-ipafont-mincho zlib1g-dev imagemagick
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails an update now and then: try again a little
  # later, and at last install from the lists that did load.
  for attempt in 1 2 3; do
    "${sudo_cmd[@]}" apt-get update -qq && break
    if [ "$attempt" -lt 3 ]; then
      echo "setup: some package lists did not load; trying again in 20 s"
      sleep 20
    else
      echo "setup: some package lists did not load; installing from those that did"
    fi
  done
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# Wine shows Japanese only with a Japanese locale generated.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
