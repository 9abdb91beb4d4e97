#!/usr/bin/env bash
# Installs the Debian packages the project needs.  Quiet and quick when all
# are present; runs apt-get update only when something must be installed.
set -euo pipefail
packages=(build-essential cmake qt6-base-dev libjpeg-dev libgtest-dev xvfb xauth fonts-dejavu-core
          python3-biopython)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
