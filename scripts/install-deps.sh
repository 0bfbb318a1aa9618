#!/usr/bin/env bash
# Installs the Debian packages Vorlane needs to build, run and test, skipping
# those already present. Usage: install-deps.sh [extra packages...]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libasound2-dev fonts-ipafont-gothic "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi
echo "install-deps: installing ${missing[*]}"
# A mirror caught mid-sync fails one index now and then; apt then goes on
# with the indexes it has, and a second round gets what the first missed.
for try in 1 2 3; do
    $sudo apt-get update -qq || echo "install-deps: apt-get update failed (try $try); going on"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" && exit 0
    sleep $((try * 10))
done
echo "install-deps: could not install ${missing[*]}" >&2
exit 1
