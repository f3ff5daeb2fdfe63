# Shared by test.sh and run.sh: installs the Debian packages that the build
# needs, when they are missing. Nothing but Debian packages is fetched.

# Packages for the Linux build (run.sh) and for everything (test.sh).
linux_packages=(cmake ninja-build g++ flex bison googletest libbenchmark-dev espeak-ng)
windows_packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64)
# Packaging (scripts/package.sh) and the checks of the packages (test.sh):
# cpack's .deb runs dpkg-shlibdeps (dpkg-dev) and file; the Windows setup
# program is made with makensis (nsis) and listed with 7z (p7zip-full); the
# manual page is checked with man (man-db).
package_tools=(dpkg-dev file man-db nsis p7zip-full)
# The fuzz targets (test.sh): clang with libFuzzer and the sanitizer
# runtimes. Installed without the recommended LLVM tools, which they do not use.
fuzz_packages=(clang-14 libclang-rt-14-dev)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    echo "error: installing packages needs root: $*" >&2; return 1; fi
}

missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || echo "$package"
  done
}

apt_install() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "installing: $missing"
  if [ -z "${apt_updated:-}" ]; then
    as_root apt-get update -qq || return 1
    apt_updated=1
  fi
  # shellcheck disable=SC2086
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ${no_recommends:+--no-install-recommends} $missing \
    >/tmp/postsift-apt.log 2>&1 || { tail -20 /tmp/postsift-apt.log; return 1; }
}

# True when the kernel runs 32-bit x86 programs (some sandboxes do not).
can_run_32bit() {
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# install_packages linux|package|full
install_packages() {
  if [ "$1" = linux ]; then
    apt_install "${linux_packages[@]}"
    return
  fi
  if [ "$1" = package ]; then
    apt_install "${linux_packages[@]}" g++-mingw-w64-i686-posix "${package_tools[@]}"
    return
  fi
  apt_install "${linux_packages[@]}" "${windows_packages[@]}" "${package_tools[@]}" || return 1
  no_recommends=1 apt_install "${fuzz_packages[@]}" || return 1
  # wine32 needs the i386 architecture, and is of use only where 32-bit
  # programs can run: ask the i386 C library first.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386 || return 1
    apt_updated=
  fi
  apt_install libc6:i386 || return 1
  if can_run_32bit; then apt_install wine32:i386 || return 1; fi
}
