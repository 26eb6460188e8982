# Sourced by the top-level scripts: installs the Debian packages named, if any
# is missing, through sudo when not root.
need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; return 1; }
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# What building and running the program takes on Debian 12.
build_packages=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev
                libgl1-mesa-dri libglx-mesa0)
