#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, when missing.
# `setup.sh fuzz` also installs clang and its libFuzzer runtime for scripts/fuzz.sh.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config ccache
      qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-translations-l10n libgl-dev
      libgtest-dev googletest
      fonts-ipafont-mincho fonts-ipafont-gothic fonts-morisawa-bizud-gothic
      xvfb xauth x11-apps procps poppler-utils locales-all imagemagick)
[ "${1:-}" = fuzz ] && pkgs+=(clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
