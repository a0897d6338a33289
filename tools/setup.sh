#!/usr/bin/env bash
# Installs every Debian 12 package Kalvendo needs to build, test and run.
# Safe to run again: apt-get only adds what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libqt6svg6-dev
  qt6-translations-l10n qt6-qpa-plugins
  libbenchmark-dev
  locales fonts-liberation
  poppler-utils xvfb xauth
  clang libclang-rt-14-dev
  cups cups-bsd printer-driver-cups-pdf
  desktop-file-utils dpkg-dev file mmdebstrap
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The German locale: the file formats and the table use its date and time forms.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
