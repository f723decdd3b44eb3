#!/usr/bin/env bash
# Sets up a Debian 12 machine for Pelmorix, builds it, and runs it or its tests.
#   bash build.sh run     install what is missing, build in build/, start the calculator
#   bash build.sh test    install what is missing, build in build-test/ and build-asan/, run every
#                         test there (the second time under sanitizers)
#   bash build.sh bench   install what is missing, build and run the benchmarks
#   bash build.sh package install what is missing, build the Debian package pelmorix_*.deb
set -euo pipefail
cd "$(dirname "$0")"

# The fonts are those the windows are laid out for (see dist/CMakeLists.txt); Qt's translations
# put Qt's own dialogs in Chinese; qt6-wayland is Qt's Wayland platform, for a Wayland session
# without X11.
PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev
          fonts-wqy-zenhei fonts-liberation2 fonts-dejavu-core qt6-translations-l10n qt6-wayland)
# The desktop tests run the program under Xvfb, type with xdotool, read the accessibility bus and
# the screen's pixels (ImageMagick's import);
# others run the windows under a window manager (openbox in Xvfb) and under a Wayland compositor
# (weston's headless backend, with and without XWayland).
TEST_PACKAGES=(clang-format desktop-file-utils appstream man-db python3 xvfb xdotool dbus
               at-spi2-core python3-pyatspi openbox weston xwayland imagemagick)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The test build compiles the benchmarks too (it runs none), so that none of them falls behind.
BENCH_BUILD_PACKAGES=(libbenchmark-dev)
BENCH_PACKAGES=(libbenchmark-dev libgmp-dev python3 bc)
PACKAGE_PACKAGES=(dpkg-dev file)
JOBS=$(nproc 2>/dev/null || echo 2)

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$JOBS"
}

run_tests() {
    local dir=$1
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")
}

case "${1:-}" in
run)
    install_packages "${PACKAGES[@]}"
    # Warnings stay warnings here; only the test builds turn them into errors.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORIX_WERROR=OFF
    cmake --build build -j "$JOBS" --target pelmorix pelmorix-cli
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec ./build/src/pelmorix/pelmorix
    fi
    echo "No display found: starting the console in this terminal (pelmorix-cli). End with Ctrl+D."
    exec ./build/src/pelmorix-cli/pelmorix-cli
    ;;
test)
    install_packages "${PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" \
        "${BENCH_BUILD_PACKAGES[@]}"
    configure_and_build build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORIX_WERROR=ON \
        -DPELMORIX_BENCH=ON
    run_tests build-test
    echo "== A short run of each fuzzer"
    scripts/fuzz-smoke.sh 25
    echo "== The same tests with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DPELMORIX_SANITIZE=ON -DPELMORIX_WERROR=ON
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
    ;;
bench)
    install_packages "${PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    configure_and_build build-bench -DCMAKE_BUILD_TYPE=Release -DPELMORIX_BENCH=ON -DPELMORIX_TESTS=OFF
    # A script that finds a goal missed (a long-number row above GMP's memory) says so and fails
    # the run once every benchmark has run.
    status=0
    for b in bench/*.sh; do [ -f "$b" ] && { bash "$b" build-bench || status=1; }; done
    for b in build-bench/bench/bench_*; do [ -x "$b" ] && "$b"; done
    exit $status
    ;;
package)
    install_packages "${PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    configure_and_build build-package -DCMAKE_BUILD_TYPE=Release -DPELMORIX_TESTS=OFF
    (cd build-package && cpack -G DEB)
    echo "Install it with: sudo apt-get install ./$(ls build-package/pelmorix_*.deb)"
    ;;
*)
    echo "usage: bash build.sh run|test|bench|package" >&2
    exit 2
    ;;
esac
