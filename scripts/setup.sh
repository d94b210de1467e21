#!/usr/bin/env bash
# Installs what the builds and tests need, from Debian 12's packages, and the
# ja_JP.UTF-8 locale that gives wine code page 932. Does nothing when all of it
# is there already, so every other script starts with it. fonts-wine holds
# wine's own fonts, among them the symbols of the caption's buttons (without
# it the close box shows a letter in place of its cross). emscripten builds the
# playground (preset wasm) and chromium runs its test; the test installs its
# npm package itself (tests/browser/run.sh), with npm where node has none.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 wine32:i386 xvfb xauth
    libboost-regex1.81-dev googletest libgtest-dev libbenchmark-dev
    fonts-ipafont-gothic fonts-wine locales zip unzip
    emscripten chromium
)
if ! command -v npm > /dev/null; then
    packages+=(npm)
fi

sudo=()
if [[ "$(id -u)" -ne 0 ]]; then
    sudo=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -gt 0 ]]; then
    echo "setup.sh: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    # A mirror caught mid-sync fails the update now and then ("File has
    # unexpected size"): try again, and go on with the lists there are.
    for attempt in 1 2 3; do
        "${sudo[@]}" apt-get update && break
        echo "setup.sh: apt-get update failed (attempt $attempt)"
        sleep 10
    done
    install=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive
        apt-get install -y --no-install-recommends "${packages[@]}")
    if ! "${install[@]}"; then
        # Without the security archive's i386 list (the failed update above),
        # an i386 library has only the main archive's version while its amd64
        # twin may be at the security archive's: the two must match, so
        # nothing i386 installs. For this install the main archive's versions
        # win, the twins of what it installs going back to them if need be.
        pin=/etc/apt/preferences.d/zms-multiarch
        echo "setup.sh: installing again with the main archive's versions"
        printf '%s\n' 'Package: *' 'Pin: release l=Debian-Security' 'Pin-Priority: 100' '' \
            'Package: *' 'Pin: release l=Debian' 'Pin-Priority: 1001' |
            "${sudo[@]}" tee "$pin" > /dev/null
        status=0
        "${install[@]}" --allow-downgrades || status=$?
        "${sudo[@]}" rm -f "$pin"
        [[ $status -eq 0 ]] || exit "$status"
    fi
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "setup.sh: making the ja_JP.UTF-8 locale"
    "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
