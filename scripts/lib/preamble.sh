# Sourced by the scripts that set the machine up, build and start the
# program (demo, test, bench, release, screenshot, setup): what they share.

# as_root COMMAND [ARGS...]: runs the command as root, through sudo where
# the script does not run as root.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# build_preset PRESET [TARGET...]: sets the machine up (scripts/setup),
# configures the preset and builds the targets (all of them where none is
# named) on every core, then takes the environment the browser engine needs
# here (scripts/lib/engine-env.sh).
build_preset() {
    local preset=$1
    shift
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    scripts/setup
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" "${targets[@]}" -j "$(nproc)"
    . scripts/lib/engine-env.sh
}
