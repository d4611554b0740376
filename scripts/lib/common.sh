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

# ensure_russian_locale: the Windows tests of Cyrillic folder names run Wine
# under ru_RU.UTF-8, which gives it the windows-1251 code page.
ensure_russian_locale() {
    locale -a 2>/dev/null | grep -qi '^ru_RU.utf8$' && return 0
    say "Generating the ru_RU.UTF-8 locale"
    localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
}
