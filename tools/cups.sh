#!/usr/bin/env bash
# Starts CUPS with a PDF queue as the system's default printer, for the printing tests.
# The PDFs land in ~/PDF of the printing user (cups-pdf's default).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    $SUDO cupsd
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.1
    done
fi
lpstat -r
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
if ! lpstat -p PDF >/dev/null 2>&1; then
    $SUDO lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd"
fi
$SUDO lpadmin -d PDF
$SUDO cupsenable PDF
$SUDO cupsaccept PDF
lpstat -d
