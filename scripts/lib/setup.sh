# Installs what building and testing need on a Debian 12 machine, if missing.
# Source it and call setup_machine; it needs root for apt-get when something
# is missing.

setup_packages=(
  cmake g++ make pkg-config
  googletest libgtest-dev libgmock-dev
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64
  xvfb xauth x11-utils imagemagick
  fonts-wqy-microhei locales
  clang-format
)

setup_machine() {
  local missing=()
  local p
  for p in "${setup_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  fi
  # Wine takes its ANSI and OEM code pages (936) from this locale.
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}
