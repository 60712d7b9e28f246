# Shared by scripts/run, scripts/test and scripts/bench: installs the Debian
# packages the project needs and builds it.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# install_packages [EXTRA...]: apt-get installs whatever of scripts/debian-packages
# (and the extra packages named) is not installed yet.
install_packages() {
    local wanted missing=()
    wanted=$(package_list debian-packages)
    for pkg in $wanted "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# package_list NAME: the packages of scripts/NAME, without comments and blank lines.
package_list() {
    grep -v '^\s*#' "$ROOT/scripts/$1" | grep -v '^\s*$'
}

# install_arm64_packages: install_packages with the arm64 cross-build's list as
# well, after adding Debian's arm64 architecture (multiarch) where it is missing.
install_arm64_packages() {
    if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo dpkg --add-architecture arm64
    fi
    # shellcheck disable=SC2046
    install_packages $(package_list debian-packages-arm64)
}

# The cmake arguments of the arm64 cross-build.
ARM64_CMAKE_ARGS=("-DCMAKE_TOOLCHAIN_FILE=$ROOT/packaging/arm64-toolchain.cmake")

# build DIR [CMAKE_ARGS...]: configures and builds the project in DIR; only
# the targets named in $TARGETS when it is set.
build() {
    local dir="$1"; shift
    local launcher=()
    # A compiler cache, where the machine has one, makes rebuilds of unchanged files free.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
    if [ -n "${TARGETS:-}" ]; then
        # shellcheck disable=SC2086
        cmake --build "$dir" --target $TARGETS
    else
        cmake --build "$dir"
    fi
}
