# Shared by run.sh and test.sh: installs missing Debian packages, configures and builds.

corvane_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

ensure_packages() {
    local missing=()
    local package
    while read -r package; do
        [[ -z "$package" || "$package" == \#* ]] && continue
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done < "$corvane_root/scripts/packages.txt"
    if ((${#missing[@]} > 0)); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# build_tree DIR [cmake options...]
build_tree() {
    local dir="$1"
    shift
    cmake -S "$corvane_root" -B "$corvane_root/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$corvane_root/$dir"
}
