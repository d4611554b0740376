# Shared helpers of the project's scripts. Source it; it changes nothing by itself.

PELLWISE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

say() { printf '%s\n' "$*" >&2; }

# ensure_packages PKG...: installs the Debian packages that are missing, says
# which, and does nothing when all are there.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

NATIVE_PACKAGES=(g++ cmake make googletest libbenchmark-dev clang libclang-rt-14-dev clang-format)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64 xvfb xdotool
                  imagemagick x11-utils zip locales)

# ensure_locales: the Windows tests run Wine under ru_RU.UTF-8, which gives it
# the windows-1251 code page of the players with Cyrillic mission folders,
# and under en_US.UTF-8, whose code page 1252 shows that names and the
# program's Russian words are each converted with their own code page.
ensure_locales() {
    local locale
    for locale in ru_RU en_US; do
        locale -a 2>/dev/null | grep -qi "^${locale}.utf8$" && continue
        say "Generating the ${locale}.UTF-8 locale"
        localedef -i "$locale" -f UTF-8 "${locale}.UTF-8" || return 1
    done
}
