#!/usr/bin/env bash
# Checks the Debian package as a user receives it.
#   test_deb.sh contents DEB   the files it holds and its control fields
#   test_deb.sh installed DEB  apt installs it with what it depends on; the
#                              installed program runs on a virtual desktop
#                              (test_deb_session.sh); apt removes every file
#   test_deb.sh lintian DEB    lintian finds no error (its warnings are shown)
# "installed" needs root. It leaves the machine as it found it: the package
# and the dependencies it brought are removed at the end, on failure too.
set -euo pipefail
CHECK=${1:?contents, installed or lintian}
DEB=$(realpath "${2:?the .deb}")
export QUORBEL_SOURCE_DIR=${QUORBEL_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
PACKAGE=quorbel-clock

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
note() { echo "-- $*"; }

# The package's files, as absolute paths, without its directories.
package_files() { dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' | sort; }

expected_files() {
  (cd "$QUORBEL_SOURCE_DIR/data" && find . -type f | sed 's|^\.|/usr/share/quorbel-clock|')
  printf '%s\n' /usr/bin/quorbel-clock /usr/bin/quorbel-preview \
    /usr/share/applications/quorbel-clock.desktop \
    /usr/share/icons/hicolor/{16x16,32x32,48x48}/apps/quorbel-clock.png \
    /usr/share/man/man1/quorbel-clock.1.gz /usr/share/man/man1/quorbel-preview.1.gz \
    /usr/share/doc/quorbel-clock/copyright /usr/share/doc/quorbel-clock/changelog.gz
}

# packaged_file PATH: the file's bytes as the package holds them.
packaged_file() { dpkg-deb --fsys-tarfile "$DEB" | tar -xOf - ".$1"; }

check_contents() {
  local unexpected missing
  unexpected=$(comm -23 <(package_files) <(expected_files | sort))
  missing=$(comm -13 <(package_files) <(expected_files | sort))
  [[ -z "$missing" ]] || fail "the package lacks: $(tr '\n' ' ' <<<"$missing")"
  [[ -z "$unexpected" ]] || fail "the package holds files it should not: $(tr '\n' ' ' <<<"$unexpected")"

  local version field
  version=$(sed -nE 's/^project\(QuorbelClock VERSION ([0-9.]+).*/\1/p' "$QUORBEL_SOURCE_DIR/CMakeLists.txt")
  [[ "$(basename "$DEB")" == "${PACKAGE}_${version}_amd64.deb" ]] || fail "the package is named $(basename "$DEB")"
  for field in "Package: $PACKAGE" "Version: $version" "Architecture: amd64" "Section: utils" "Priority: optional"; do
    dpkg-deb -f "$DEB" "${field%%:*}" | grep -qxF "${field#*: }" ||
      fail "the control field ${field%%:*} is '$(dpkg-deb -f "$DEB" "${field%%:*}")', not '${field#*: }'"
  done
  local depends
  depends=$(dpkg-deb -f "$DEB" Depends)
  for library in libqt6widgets6 libqt6dbus6 libcanberra0 libcanberra-pulse libxcb-screensaver0 libstdc++6; do
    tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF "$library" || fail "Depends does not name $library: $depends"
  done
  # The single-instance socket is a plain one: no network library to install.
  ! tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF libqt6network6 || fail "Depends names libqt6network6: $depends"

  local entry
  entry=$(packaged_file /usr/share/applications/quorbel-clock.desktop)
  for line in 'Type=Application' 'Name=Quorbel Alarm Clock' 'Exec=quorbel-clock' 'Icon=quorbel-clock'; do
    grep -qxF "$line" <<<"$entry" || fail "the desktop entry lacks $line"
  done
  grep -qE '^Categories=(.*;)?Utility;' <<<"$entry" || fail "the desktop entry is not in the Utility category"
  # Without a tray, the menu entry's actions are the way to the settings and to Exit.
  for line in 'Actions=Settings;Exit;' '[Desktop Action Settings]' 'Exec=quorbel-clock --settings' \
    '[Desktop Action Exit]' 'Exec=quorbel-clock --exit'; do
    grep -qxF "$line" <<<"$entry" || fail "the desktop entry lacks $line"
  done
  local size
  for size in 16x16 32x32 48x48; do
    [[ "$(packaged_file "/usr/share/icons/hicolor/$size/apps/quorbel-clock.png" | identify -format '%wx%h' -)" == "$size" ]] ||
      fail "the $size icon has another size"
  done
  note "the package holds the program, the preview tool, its $(find "$QUORBEL_SOURCE_DIR/data" -type f | wc -l) data files, a menu entry, three icons, two manual pages, copyright and changelog"
  note "Depends: $depends"
}

installed_status() { dpkg-query -W -f='${db:Status-Status}' "$PACKAGE" 2>/dev/null || true; }
package_absent() { [[ "$(installed_status)" == "" || "$(installed_status)" == not-installed ]]; }

# Waits for another apt run on the machine instead of failing on its lock.
# As setup.sh does: root installs itself, anyone else through sudo.
AS_ROOT=()
((EUID == 0)) || AS_ROOT=(sudo)
apt_get() { "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }

# The packages the install would add besides this one: its missing
# dependencies, which go again at the end. An upgrade of a package already
# there (apt shows its old version in brackets) is no package brought: purging
# it would take everything that depends on it off the machine.
BROUGHT=()
remove_what_was_installed() {
  local status=$? leftover=()
  package_absent || leftover+=("$PACKAGE")
  leftover+=("${BROUGHT[@]}")
  if ((${#leftover[@]})); then
    apt_get purge "${leftover[@]}" >/dev/null 2>&1 || echo "could not remove: ${leftover[*]}" >&2
  fi
  exit "$status"
}

check_installed() {
  ((EUID == 0)) || command -v sudo >/dev/null || fail "installing the package needs root or sudo"
  package_absent ||
    fail "$PACKAGE is on this machine already ($(installed_status)); the check would replace and remove it"
  # Without the recommended sound driver, which brings a whole sound server
  # with it: the checks need none.
  mapfile -t BROUGHT < <(apt-get install --simulate --no-install-recommends -qq "$DEB" 2>/dev/null |
    awk -v own="$PACKAGE" '$1 == "Inst" && $2 != own && $3 !~ /^\[/ {print $2}')
  trap remove_what_was_installed EXIT
  local log
  log="$(dirname "$DEB")/apt.log"
  apt_get install --no-install-recommends "$DEB" >"$log" 2>&1 || { cat "$log" >&2; fail "apt could not install the package"; }
  [[ "$(installed_status)" == installed ]] || fail "dpkg says the package is $(installed_status)"
  local file
  while read -r file; do [[ -f "$file" ]] || fail "the install left out $file"; done < <(package_files)
  [[ "$(man -w quorbel-clock 2>/dev/null)" == /usr/share/man/man1/quorbel-clock.1.gz ]] ||
    fail "man does not find quorbel-clock(1)"
  note "apt installed the package${BROUGHT[*]:+ and ${BROUGHT[*]}}"

  QUORBEL_BUILD_DIR=$(dirname "$DEB") timeout 180 bash "$QUORBEL_SOURCE_DIR/packaging/test_deb_session.sh" ||
    fail "the installed program did not work on the desktop"

  apt_get remove "$PACKAGE" >"$log" 2>&1 || { cat "$log" >&2; fail "apt could not remove the package"; }
  rm -f "$log"
  package_absent || fail "after removal dpkg says the package is $(installed_status)"
  while read -r file; do [[ ! -e "$file" ]] || fail "the removal left $file"; done < <(package_files)
  for file in /usr/share/quorbel-clock /usr/share/doc/quorbel-clock; do
    [[ ! -e "$file" ]] || fail "the removal left $file"
  done
  note "apt removed the package and every file it brought"
}

check_lintian() {
  local output status=0
  # Lintian warns on stderr that it runs as root; that is how CI runs.
  output=$(lintian --fail-on error --display-info "$DEB" 2>&1) || status=$?
  output=$(grep -v '^running with root privileges is not recommended!$' <<<"$output" || true)
  [[ -z "$output" ]] || echo "$output"
  ((status == 0)) || fail "lintian found errors (status $status)"
  note "lintian: $(grep -c '^E: ' <<<"$output" || true) errors, $(grep -c '^W: ' <<<"$output" || true) warnings, $(grep -c '^I: ' <<<"$output" || true) notes"
}

case "$CHECK" in
  contents) check_contents ;;
  installed) check_installed ;;
  lintian) check_lintian ;;
  *) fail "unknown check $CHECK" ;;
esac
