#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package.
#   scripts/package-test.sh [BUILD_DIR]
#       makes the package with cpack in BUILD_DIR (a configured Release build,
#       default build) and checks its contents, its Depends line, lintian,
#       the AppStream metainfo, the desktop entry and --version of both
#       programs.
#   scripts/package-test.sh --install [BUILD_DIR]
#       the same, then installs the package with apt into a fresh minimal
#       Debian 12 root (debootstrap), balances the five examples with the
#       installed quorvex-cli, starts the installed quorvex-launch under Xvfb
#       with a fresh XDG_DATA_HOME until the main window shows, reinstalls and
#       removes the package and checks that the user's files stay. Needs root
#       and the Debian mirror; takes a few minutes.
# Exit status 77 means the check could not run here, with the reason printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
install=no
if [[ "${1:-}" == --install ]]; then
  install=yes
  shift
fi
build=$(realpath "${1:-build}")
skip() { echo "package test skipped: $*"; exit 77; }
fail() { echo "package test FAILED: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps file lintian appstreamcli desktop-file-validate help2man; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (run scripts/deps.sh test)"
done
[[ -f "$build/CMakeCache.txt" ]] || fail "$build is not a configured build folder"
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" ||
  skip "$build is not a Release build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb=$build/quorvex_${version}_${arch}.deb

echo "== package"
cmake --build "$build" >/dev/null
rm -f "$deb"
(cd "$build" && cpack -G DEB >/dev/null)
[[ -f "$deb" ]] || fail "cpack made no $deb"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

echo "== contents"
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
for path in /usr/bin/quorvex /usr/bin/quorvex-cli /usr/bin/quorvex-launch \
  /usr/share/quorvex/cbd.dat /usr/share/quorvex/help.rtf /usr/share/quorvex/report.rtf \
  /usr/share/applications/quorvex.desktop /usr/share/metainfo/example.quorvex.Quorvex.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/quorvex.png /usr/share/icons/hicolor/64x64/apps/quorvex.png \
  /usr/share/icons/hicolor/128x128/apps/quorvex.png /usr/share/icons/hicolor/256x256/apps/quorvex.png \
  /usr/share/man/man1/quorvex.1.gz /usr/share/man/man1/quorvex-cli.1.gz \
  /usr/share/man/man1/quorvex-launch.1.gz /usr/share/doc/quorvex/copyright \
  /usr/share/doc/quorvex/changelog.gz; do
  grep -qx "$path" <<<"$contents" || fail "$path is not in the package"
done
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for dependency in fonts-wine libqt6widgets6 libc6; do
  grep -Eq "(^|, )$dependency( |,|$)" <<<"$depends" || fail "Depends lacks $dependency"
done

echo "== lintian"
# Errors and warnings fail; the infos left are explained in the README.
report=$(lintian --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[[ -n "$report" ]] && echo "$report"
if grep -q '^[EW]:' <<<"$report"; then fail "lintian reports errors or warnings"; fi

work=$(mktemp -d)
cleanup() {
  for mount in dev/pts dev sys proc; do
    [[ -d "$work/root/$mount" ]] && mountpoint -q "$work/root/$mount" && umount "$work/root/$mount"
  done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
dpkg-deb --extract "$deb" "$work/unpacked"

echo "== AppStream and desktop entry"
appstreamcli validate --no-net "$work/unpacked/usr/share/metainfo/example.quorvex.Quorvex.metainfo.xml"
desktop-file-validate "$work/unpacked/usr/share/applications/quorvex.desktop"
grep -qx 'Exec=quorvex-launch' "$work/unpacked/usr/share/applications/quorvex.desktop" ||
  fail "the desktop entry does not start quorvex-launch"
grep -q "<release version=\"$version\"" \
  "$work/unpacked/usr/share/metainfo/example.quorvex.Quorvex.metainfo.xml" ||
  fail "the metainfo lacks release $version"

echo "== --version"
for program in quorvex quorvex-cli; do
  first=$(QT_QPA_PLATFORM=offscreen "$work/unpacked/usr/bin/$program" --version | head -n 1)
  [[ "$first" == "$program (Quorvex) $version" ]] || fail "$program --version says '$first'"
done

if [[ $install == no ]]; then
  echo "package test passed (the install test: scripts/package-test.sh --install)"
  exit 0
fi

echo "== install into a fresh Debian 12 root"
[[ $(id -u) -eq 0 ]] || skip "the install test needs root (debootstrap, chroot)"
command -v debootstrap >/dev/null || skip "debootstrap is not installed (run scripts/deps.sh test)"
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
mirror=${mirror:-http://deb.debian.org/debian}
chroot=$work/root
started=$SECONDS
debootstrap --variant=minbase bookworm "$chroot" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log"; fail "debootstrap failed"; }
cp -r /etc/apt/sources.list.d/. "$chroot/etc/apt/sources.list.d/"
cp -r /etc/apt/apt.conf.d/. "$chroot/etc/apt/apt.conf.d/"
[[ -f /etc/apt/sources.list.d/debian.sources ]] && : >"$chroot/etc/apt/sources.list"
for mount in proc sys dev dev/pts; do mount --bind "/$mount" "$chroot/$mount"; done
cp "$deb" "$chroot/tmp/"
cp data/examples.txt "$chroot/tmp/"
in_root() { chroot "$chroot" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -q >"$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log"; fail "apt-get update failed"; }
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "/tmp/$(basename "$deb")" xvfb xauth xdotool >>"$work/apt.log" 2>&1 ||
  { tail -n 20 "$work/apt.log"; fail "apt-get install of the package failed"; }
echo "installed in $((SECONDS - started)) s"

echo "== the installed quorvex-cli balances the five examples"
balanced=$(in_root quorvex-cli balance /tmp/examples.txt)
echo "$balanced"
[[ $(grep -c '^Balanced it successfully!' <<<"$balanced") -eq 5 ]] || fail "not all five examples balanced"

echo "== the installed quorvex-launch opens the main window under Xvfb"
cat >"$chroot/tmp/window.sh" <<SCRIPT
set -u
caption='^Quorvex v${version//./\\.}\$'
SCRIPT
cat >>"$chroot/tmp/window.sh" <<'SCRIPT'
export XDG_DATA_HOME=/tmp/fresh-data
quorvex-launch >/tmp/launch.log 2>&1 &
launched=$!
found=
for _ in $(seq 1 150); do
  if xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1; then found=yes; break; fi
  kill -0 "$launched" 2>/dev/null || break
  sleep 0.2
done
kill "$launched" 2>/dev/null
wait "$launched" 2>/dev/null
[ -n "$found" ] || { echo "no main window"; cat /tmp/launch.log; exit 1; }
echo "main window shown: $(ls "$XDG_DATA_HOME/quorvex" | tr '\n' ' ')"
SCRIPT
in_root xvfb-run -a -s "-screen 0 800x600x24" sh /tmp/window.sh || fail "the main window did not come up"
data=$chroot/tmp/fresh-data/quorvex
for file in cbd.dat help.rtf report.rtf; do
  [[ -f "$data/$file" ]] || fail "quorvex-launch did not seed $file"
done

echo "== reinstalling and removing keep the user's files"
printf '#2H2+O2 = 2H2O#\r\n' >"$data/cbd.dat"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall \
  "/tmp/$(basename "$deb")" >>"$work/apt.log" 2>&1 || fail "reinstalling failed"
[[ $(cat "$data/cbd.dat") == $'#2H2+O2 = 2H2O#\r' ]] || fail "reinstalling changed the user's library"
in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q quorvex >>"$work/apt.log" 2>&1 ||
  fail "removing failed"
[[ ! -e "$chroot/usr/bin/quorvex" && ! -e "$chroot/usr/share/quorvex" ]] || fail "removing left the program"
for file in cbd.dat help.rtf report.rtf; do
  [[ -f "$data/$file" ]] || fail "removing took the user's $file"
done
[[ $(cat "$data/cbd.dat") == $'#2H2+O2 = 2H2O#\r' ]] || fail "removing changed the user's library"
echo "package install test passed in $((SECONDS - started)) s"
