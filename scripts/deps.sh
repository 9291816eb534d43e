#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those still missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libpcre2-dev libssl-dev libidn2-dev fonts-dejavu-core
  poppler-utils)  # the printing tests read their PDF files back
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
