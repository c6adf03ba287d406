#!/usr/bin/env bash
# Cross-builds Qt (qtbase, from Debian's own source of the version the Linux build uses) for 64-bit Windows
# with MinGW-w64 and installs it into a cache outside the work tree, which later runs reuse as long as the
# recipe (this script and the compilers' settings) is unchanged. Only what the program and its tests need
# is built. Prints the Qt prefix as its last line. ZT_QT_MINGW names another prefix; ZT_JOBS the number of
# parallel build steps (default: all cores).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

version=6.4.2
prefix=${ZT_QT_MINGW:-$HOME/.cache/zorvanta/qt-$version-mingw}
compilers=$here/../cmake/mingw-w64-compilers.cmake
recipe=$(cat "$here/qt-mingw.sh" "$compilers" | sha256sum | cut -d' ' -f1)
if [ "$(cat "$prefix/zorvanta-recipe" 2>/dev/null)" = "$recipe" ]; then
    echo "$prefix"
    exit 0
fi

"$here/install-packages.sh" dpkg-dev cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev-tools

# apt-get source needs a source entry beside the binary one.
if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo tee /etc/apt/sources.list.d/zorvanta-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    $sudo apt-get update -qq
fi

# The build folder stays until the install succeeds, so that an interrupted build goes on where it stopped.
work="$prefix-build"
rm -rf "$prefix"
mkdir -p "$work"
cd "$work"
qt_source() { find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n1; }
if [ -z "$(qt_source)" ]; then
    # The same source package the Linux build's Qt tools come from.
    apt-get source -qq "qt6-base=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)" >/dev/null
fi

# The Windows DLLs use the compilers' runtime DLLs, which the program's archive carries beside them. The
# prefix keeps its own copy of the compilers' settings: Qt's toolchain file there goes on to load it.
mkdir -p "$prefix"
cp "$compilers" "$prefix/mingw.cmake"

# OpenGL stays on (loaded at run time): the Windows platform plugin does not build without it. The
# source carries no tablet library, so tablet events are off. The program needs no image format plugin
# and no Direct2D platform; without Direct2D, Qt 6.4 leaves out the DirectWrite 3 font database that its
# Windows platform still refers to, so that is off too (the GDI font database is the default anyway).
cmake -S "$(qt_source)" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DINPUT_opengl=dynamic -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
    -DFEATURE_sql_sqlite=OFF -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_zstd=OFF \
    >configure.log
cmake --build build --parallel "${ZT_JOBS:-$(nproc)}"
cmake --install build >install.log

echo "$recipe" >"$prefix/zorvanta-recipe"
cd /
rm -rf "$work"
echo "$prefix"
