#!/usr/bin/env bash
# Installs, from Debian's packages, whatever of the build and test tools is
# missing. Runs apt only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libjpeg62-turbo-dev libchm-dev fp-utils
    fonts-dejavu-core
    libhunspell-dev hunspell-fr
    libbenchmark-dev
    poppler-utils
    libxlsxwriter-dev libzip-dev python3-openpyxl python3-odf
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
