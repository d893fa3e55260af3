#!/usr/bin/env bash
# Installs what this project needs on a fresh Debian machine, and nothing when
# everything is already there. Usage: scripts/setup.sh [build|windows|browser|all]...
set -euo pipefail
# A step that fails ends the script with status 1; 2 is for usage errors.
trap 'exit 1' ERR

build_packages=(
  cmake ninja-build g++ clang llvm libclang-rt-14-dev
  libgtest-dev googletest libbenchmark-dev
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  liblcms2-dev colord-data libnlopt-dev
  python3 valgrind
  libyaml-cpp-dev
  libmpfr-dev libllvmlibc-19-dev
  ccache
)
# The Windows build: clang in MSVC mode with lld-link over Wine's C runtime
# headers and import libraries and libc++'s headers; Wine and a display to
# run it.
windows_packages=(lld-14 wine64-tools libc++-14-dev wine wine64 xvfb xauth)
# The atlas's web page is tested in headless Chromium through Selenium, which
# Debian packages for its own /usr/bin/python3.
browser_packages=(chromium chromium-driver python3-selenium)

wanted=()
for group in "${@:-all}"; do
  case $group in
    build) wanted+=("${build_packages[@]}") ;;
    windows) wanted+=("${windows_packages[@]}") ;;
    browser) wanted+=("${browser_packages[@]}") ;;
    all) wanted+=("${build_packages[@]}" "${windows_packages[@]}" "${browser_packages[@]}") ;;
    -h | --help) echo "usage: $0 [build|windows|browser|all]..."; exit 0 ;;
    *) echo "usage: $0 [build|windows|browser|all]..." >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
