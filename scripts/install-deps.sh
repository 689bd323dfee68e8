#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, when missing.
set -euo pipefail
pkgs=(cmake g++ make pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev
      libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n libsodium-dev
      libxlsxwriter-dev
      postgresql fonts-wqy-microhei fonts-dejavu-core xvfb
      poppler-utils unzip)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
