#!/bin/sh
# Installs the Debian packages the build and the tests need (probcons: the outside aligner of
# the engine's sub-family alignment), and nothing when all are present.
# apt-get update runs only when something has to be installed.
set -eu

packages="cmake make g++ libeigen3-dev libtclap-dev nlohmann-json3-dev googletest libgtest-dev probcons"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
