# Sourced by the scripts: installs the Debian packages the build needs when
# any is missing (the scripts run as root on a fresh machine).
kelvo_install_deps() {
  local pkgs=(g++ cmake make pkg-config libpcre2-dev libxml2-dev libicu-dev libyaz-dev libcli11-dev libgtest-dev libgmock-dev
              libbenchmark-dev time "$@")
  if [ "${KELVO_GUI:-ON}" = "ON" ]; then pkgs+=(qt6-base-dev); fi
  local missing=()
  for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installerar: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
      echo "Paket saknas och kan bara installeras som root: ${missing[*]}" >&2
      return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
