#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, then checks its dependencies,
# its version and architecture, its contents, lintian's verdict and that the program it installs
# starts.
#   check_deb_package.sh BUILD_DIRECTORY WORK_DIRECTORY VERSION ARCHITECTURE
# The tools are taken from CPACK, DPKG_DEB, LINTIAN, APT_GET and FILE where set, else from PATH.
# A package for another processor (a cross build) has its program started under EMULATOR.
set -euo pipefail
build=$1
work=$2
version=$3
architecture=$4
cpack=${CPACK:-cpack}
dpkg_deb=${DPKG_DEB:-dpkg-deb}
lintian=${LINTIAN:-lintian}
apt_get=${APT_GET:-apt-get}
file_tool=${FILE:-file}
emulator=${EMULATOR:-}
rm -rf "$work"
mkdir -p "$work"
"$cpack" -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log"
deb=$(ls "$work"/Quorel-*.deb)
echo "package: $deb"

failed=0
fail() { echo "FAIL: $1"; failed=1; }

depends=$("$dpkg_deb" --field "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n fonts-arphic-uming fonts-inconsolata; do
    grep -qF "$needed" <<<"$depends" || fail "does not depend on $needed"
done
[ "$("$dpkg_deb" --field "$deb" Version)" = "$version" ] || fail "version is not $version"
[ "$("$dpkg_deb" --field "$deb" Architecture)" = "$architecture" ] ||
    fail "architecture is not $architecture"
case $deb in
*-"$architecture".deb) ;;
*) fail "the file name does not end in -$architecture.deb" ;;
esac

contents=$("$dpkg_deb" --contents "$deb" | awk '{print $NF}')
for file in ./usr/bin/Quorel \
    ./usr/share/applications/org.quorel.Quorel.desktop \
    ./usr/share/metainfo/org.quorel.Quorel.metainfo.xml \
    ./usr/share/icons/hicolor/32x32/apps/org.quorel.Quorel.png \
    ./usr/share/doc/quorel/copyright; do
    grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done

"$lintian" --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log"; fail "lintian reports errors"; }
grep -E '^E:' "$work/lintian.log" || true

# Every dependency can be satisfied from the configured archives. A package for another
# processor is installed, in the simulation, on an empty system of that processor: next to this
# machine's own packages (multiarch), apt could not take the Architecture: all ones it needs
# (qt6-translations-l10n) for a foreign package.
apt_options=()
if [ "$architecture" != "$("${DPKG:-dpkg}" --print-architecture)" ]; then
    : >"$work/empty-status"
    apt_options=(-o "APT::Architecture=$architecture" -o "APT::Architectures::=$architecture"
        -o "Dir::State::status=$work/empty-status")
fi
"$apt_get" "${apt_options[@]}" install --simulate --quiet=2 "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt cannot install the package"; }

# The manual page names the version the package has.
"$dpkg_deb" --extract "$deb" "$work/root"
# The program is built for the machine the package is labelled for.
case $architecture in
amd64) machine="x86-64" ;;
arm64) machine="ARM aarch64" ;;
*) machine="" ;;
esac
if [ -n "$machine" ]; then
    kind=$(LC_ALL=C "$file_tool" -b "$work/root/usr/bin/Quorel")
    grep -qF ", $machine," <<<"$kind" || fail "the program is not built for $architecture: $kind"
fi
zcat "$work/root/usr/share/man/man1/Quorel.1.gz" | grep -q "^\.TH QUOREL 1 .*\"Quorel $version\"" ||
    fail "the manual page does not name Quorel $version"

# The installed program starts and stays up in its event loop until stopped. Under emulation it
# is given longer to get there.
seconds=3
[ -z "$emulator" ] || seconds=15
status=0
QT_QPA_PLATFORM=offscreen timeout $seconds $emulator "$work/root/usr/bin/Quorel" || status=$?
[ $status -eq 124 ] || fail "the installed program did not keep running (status $status)"

[ $failed -eq 0 ] && echo "package builds, installs and starts"
exit $failed
