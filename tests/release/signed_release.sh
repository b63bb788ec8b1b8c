#!/usr/bin/env bash
# A copy of the build's release signed with a throwaway certificate made
# here, a root and the code-signing certificate it issued. Every signed file
# must verify against that root while the build's own stay unsigned, and
# SHA256SUMS must name and match the signed set. The driver and the engine's
# stand-in are put beside the signed wizard for signed_wizard_walk.
# Usage: signed_release.sh BUILD FOLDER
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 out=$2
certs=$(mktemp -d)
trap 'rm -rf "$certs"' EXIT
fail() { echo "signed_release: $*"; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Lumora test root" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
    -keyout "$certs/root.key" -out "$certs/root.pem" 2>/dev/null || fail "openssl made no root"
openssl req -newkey rsa:2048 -nodes -subj "/CN=Lumora test publisher" \
    -keyout "$certs/signer.key" -out "$certs/signer.csr" 2>/dev/null || fail "openssl made no key"
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature extendedKeyUsage=codeSigning >"$certs/ext"
openssl x509 -req -days 2 -in "$certs/signer.csr" -CA "$certs/root.pem" -CAkey "$certs/root.key" -set_serial 2 \
    -extfile "$certs/ext" -out "$certs/signer.pem" 2>/dev/null || fail "openssl issued no certificate"

"$root/tools/sign-release" --build "$build" --out "$out" --cert "$certs/signer.pem" --key "$certs/signer.key" ||
    fail "tools/sign-release failed"

files=(bin/Lumora.exe bin/PLX.dll bin/LumoraLoader.exe bin/LumoraResume.exe)
[ -f "$build/Lumora-Setup.exe" ] && files=(Lumora-Setup.exe "${files[@]}")
status=0
for file in "${files[@]}"; do
    if osslsigncode verify -CAfile "$certs/root.pem" -in "$out/$file" >"$certs/log" 2>&1; then
        echo "signed, verified: $file"
    else
        echo "NOT VERIFIED: $file"
        sed 's/^/    /' "$certs/log"
        status=1
    fi
    if osslsigncode verify -CAfile "$certs/root.pem" -in "$build/$file" >/dev/null 2>&1; then
        echo "the build's own $file is signed"
        status=1
    fi
done
[ "$(cut -d' ' -f3 "$out/SHA256SUMS" | sort)" = "$(printf '%s\n' "${files[@]}" | sort)" ] ||
    { echo "SHA256SUMS names other files"; status=1; }
(cd "$out" && sha256sum --quiet -c SHA256SUMS) || status=1

cp "$build/bin/wizard_driver.exe" "$out/bin/" && mkdir -p "$out/stand-in" && cp "$build/stand-in/PLX.dll" "$out/stand-in/" ||
    fail "no driver or stand-in for the walk"
exit $status
