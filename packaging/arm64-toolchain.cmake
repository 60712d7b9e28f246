# Cross-building for Debian arm64 on an x86-64 Debian machine with multiarch:
# the aarch64-linux-gnu compilers of crossbuild-essential-arm64, the arm64
# libraries and headers of the -dev:arm64 packages (under the multiarch
# folders of /usr), and Qt's host tools (moc, rcc, uic) from the build
# machine's own Qt.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Qt's host tools are the build machine's; its arm64 libraries are found
# through the multiarch folder.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# pkg-config reads the arm64 .pc files only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Programs run on the build machine; libraries and headers are the arm64 ones.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

# Test programs built here (and ctest's listing of their cases) run under
# qemu-user, which loads the arm64 libraries from the multiarch folders.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
