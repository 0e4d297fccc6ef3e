#!/usr/bin/env bash
# Makes the Debian package of a native build directory and checks it: it must
# carry the manual page, the user guide, the copyright file and the
# changelog, and lintian must find no error and no warning (its lines are
# printed either way). Run by ctest as deb_package_lintian.
#   tools/check-deb.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-deb.sh BUILD_DIR}
fail() { echo "check-deb: $*" >&2; exit 1; }
command -v lintian >/dev/null || fail "lintian is not installed (tools/setup.sh installs it)"
cd "$build"
rm -f tarv32_*.deb
cpack -G DEB >/dev/null || fail "cpack could not make the package"
debs=(tarv32_*.deb)
deb=${debs[0]}
contents=$(dpkg-deb -c "$deb")
for path in usr/bin/tarv32 usr/share/man/man1/tarv32.1.gz usr/share/doc/tarv32/user-guide.html \
  usr/share/doc/tarv32/copyright usr/share/doc/tarv32/changelog.gz; do
  grep -q " \./$path\$" <<<"$contents" || fail "$deb lacks /$path"
done
lintian --fail-on error,warning "$deb" || fail "lintian finds errors or warnings in $deb (above)"
echo "check-deb: $deb carries its documents and lintian finds no error or warning"
