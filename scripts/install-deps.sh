#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Installs only what is
# missing and refreshes the package lists only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libcurl4-openssl-dev rapidjson-dev picojson-dev libssl-dev libsqlite3-dev
  qt6-base-dev qt6-webengine-dev duktape-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev libbenchmark-dev ca-certificates
  xvfb xdotool libnss3-tools tinyproxy locales openssl
  clang libfuzzer-14-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  if ! $SUDO apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null 2>&1; then
    $SUDO apt-get update -qq
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi

# German and French number formats for the locale tests.
if command -v locale >/dev/null && ! locale -a 2>/dev/null | grep -qi '^de_DE.utf8$'; then
  SUDO=""
  [[ $(id -u) -eq 0 ]] || SUDO="sudo"
  for l in "de_DE.UTF-8 UTF-8" "fr_FR.UTF-8 UTF-8" "en_US.UTF-8 UTF-8"; do
    grep -qx "$l" /etc/locale.gen 2>/dev/null || echo "$l" | $SUDO tee -a /etc/locale.gen >/dev/null
  done
  $SUDO locale-gen >/dev/null
fi
