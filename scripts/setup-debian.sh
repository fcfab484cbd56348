#!/usr/bin/env bash
# Installs the Debian 12 packages Orvex needs to build, test and run.
# Idempotent: installs only what is missing; does nothing when all is there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk qt6-translations-l10n poppler-utils
  clang libclang-rt-14-dev
  # real data for the character-code tests, and peers for the benchmarks
  manpages-ja mecab-ipadic nkf mawk gawk
  # UTF-8 files with Korean, Chinese, accented Latin, combining characters
  # and emoji (manual pages, the compose table) for the Unicode round trips
  man-db passwd libx11-data
  # screenshots and headless runs
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
    echo "Not root and no sudo: install these packages yourself: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
