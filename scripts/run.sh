#!/usr/bin/env bash
# The main job: installs what is missing, builds, starts the development identity provider,
# signs the current user in once with CorvexStandAloneAuthent, stops the provider and says
# what happened: the result box, the exit status and the values left in the token store.
#
# With a display the user signs in in the real dialog and clicks the real box. Without one
# the program runs under a virtual display (Xvfb): the provider's login page submits itself
# with the development account, and the message boxes are answered OK and printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default

root=$(pwd)
program="$root/build/bin/CorvexStandAloneAuthent"
provider="$root/build/tools/corvex-devidp"
work=$(mktemp -d)
provider_pid=""
xvfb_pid=""

cleanup() {
  [[ -n "$provider_pid" ]] && kill "$provider_pid" 2>/dev/null && wait "$provider_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

display_answers() {
  [[ -n "${DISPLAY:-}" ]] && timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1
}

# Starts the provider on the deployment's port; waits until it listens.
start_provider() {
  "$provider" "$@" >"$work/provider.log" 2>&1 &
  provider_pid=$!
  for _ in $(seq 100); do
    grep -q '^listening on' "$work/provider.log" && return 0
    kill -0 "$provider_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "The development identity provider did not start:" >&2
  cat "$work/provider.log" >&2
  exit 1
}

stop_provider() {
  kill "$provider_pid" && wait "$provider_pid" || true
  provider_pid=""
}

# The embedded browser checks TLS against the NSS database in the home folder: it is
# told to trust the provider's development CA there.
trust_provider_ca() {
  local ca="$HOME/.halvorn/devidp/ca.pem" nss="$HOME/.pki/nssdb"
  mkdir -p "$nss"
  [[ -f "$nss/cert9.db" ]] || certutil -N --empty-password -d "sql:$nss"
  certutil -D -n corvex-devidp -d "sql:$nss" 2>/dev/null || true
  certutil -A -t "C,," -n corvex-devidp -i "$ca" -d "sql:$nss"
  echo "The embedded browser trusts the provider's development CA ($ca): added as \"corvex-devidp\" to the NSS database $nss (certutil)."
}

# A virtual display on a free number; sets DISPLAY.
start_xvfb() {
  local n=99
  while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -e /tmp/.X11-unix/X$n ]] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
}

# Each message box of the record file: caption, icon and text.
print_boxes() {
  [[ -s "$1" ]] || return 0
  awk -F= '/^\[/ { kind = $0 } kind == "[messagebox]" && /^(caption|icon|text)=/ {
    key = $1; sub(/^[^=]*=/, ""); box[key] = $0
    if (key == "text") printf "Message box \"%s\" (%s icon): %s\n", box["caption"], box["icon"], box["text"]
  }' "$1"
}

echo
if display_answers; then
  start_provider
  trust_provider_ca
  echo "Sign in with the development account: user demo, password demo."
  environment=(QT_LOGGING_RULES=qt.webenginecontext.info=false CORVEX_PLATFORM_UI_RECORD="$work/boxes")
  limit=()
else
  start_provider --auto-submit
  trust_provider_ca
  start_xvfb
  echo "No display: running under the virtual display $DISPLAY (Xvfb); the login page submits itself" \
    "with the development account demo/demo, and message boxes are answered OK and printed."
  environment=(QT_LOGGING_RULES=qt.webenginecontext.info=false QT_QPA_PLATFORM=xcb CORVEX_PLATFORM_UI=scripted CORVEX_PLATFORM_UI_DIALOGS=real
    CORVEX_PLATFORM_UI_RECORD="$work/boxes")
  limit=(timeout -k 5 45)
fi
idp_host=$(sed -n 's/^#define CORVEX_IDP_HOST "\(.*\)"$/\1/p' "$root/build/generated/corvex_deployment.h")
echo "Development identity provider: https://$idp_host ($(grep '^listening on' "$work/provider.log"))"
echo
echo "\$ $program"
status=0
env "${environment[@]}" "${limit[@]}" "$program" || status=$?
stop_provider
echo
print_boxes "$work/boxes"
echo "Exit status: $status"
echo
echo "Token store (corvexreg query \"HKCU\\Software\\Halvorn\\Ondra\"), value names and types:"
"$root/build/bin/corvexreg" query 'HKCU\Software\Halvorn\Ondra' | awk 'NF >= 2 { print "    " $1 "    " $2 }' || true
