# Sourced by the other scripts. install_missing PACKAGE...: installs with
# apt-get the Debian packages among its arguments that are not installed yet.
# build_packages: what building the programs needs.
build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    qt6-translations-l10n qt6-image-formats-plugins
    libgtest-dev libgmock-dev
    libsane-dev
    libhunspell-dev hunspell-es
    fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea
)
# test_packages: what the tests need besides: msmtp is the real mail
# transport of the e-mail delivery test.
test_packages=(msmtp fonts-urw-base35)

install_missing() {
    local missing=() p sudo=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    echo "Instalando: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
