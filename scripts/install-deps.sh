#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, when missing: every
# command the scripts, the tests and the build call comes from one of these (or from Debian's
# essential packages), so a fresh minimal system needs nothing else. Run as root, or as a user
# who may use sudo.
set -euo pipefail

packages=(
  # compilers and the build
  build-essential cmake ninja-build ccache pkg-config file
  clang libclang-rt-14-dev
  # libraries
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libicu-dev libsqlite3-dev
  # fonts the windows and the printed pages use
  fonts-liberation2 fonts-dejavu-core
  # the label sheets of a label program's catalogue (template files), read at run time
  glabels-data
  # the tests: PDF text and pages, images, a virtual display, the installed tree and package
  poppler-utils imagemagick xvfb xauth
  librsvg2-bin man-db dpkg-dev desktop-file-utils appstream shared-mime-info
  # the address book servers the tests start
  radicale python3 openssl
  # the print server the tests start, with a queue that prints to PDF files
  cups cups-bsd printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Some Debian packages are missing, and installing them needs root, but sudo is not" >&2
    echo "installed. Run this again as root, or have root install them first:" >&2
    echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
