#!/usr/bin/env bash
# Builds the Debian packages (scripts/package.sh), checks them with lintian,
# then installs them with dpkg, uses them as a technician would (the three
# programs, their manual pages, their completions, velkor-site on the example
# plan), removes them and checks that nothing of them is left.
# Needs root; leaves alone a machine where either package is installed.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "test-packages: dpkg -i needs root" >&2
  exit 1
fi
packages=(velkor-ipconfig-cmd velkor-bench)
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
for p in "${packages[@]}"; do
  if installed "$p"; then
    echo "test-packages: $p is installed here; remove it first (dpkg -r $p)" >&2
    exit 1
  fi
done

./scripts/package.sh

passed=0
failed=0
check() { # check DESCRIPTION COMMAND...: one test case
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what" >&2
  fi
}
contains() { # contains TEXT PATTERN
  grep -qE -- "$2" <<<"$1"
}

version=$(sed -n 's/^project(velkor-ipconfig-cmd VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
debs=()
for p in "${packages[@]}"; do
  deb="build/packages/${p}_${version}_${arch}.deb"
  check "$deb was built" test -f "$deb"
  debs+=("$deb")
done
if [ "$failed" -ne 0 ]; then
  echo "$passed passed, $failed failed"
  exit 1
fi

field() { dpkg-deb -f "$1" "$2"; }
check "the program's section" test "$(field "${debs[0]}" Section)" = utils
check "the bench's section" test "$(field "${debs[1]}" Section)" = devel
for deb in "${debs[@]}"; do
  depends=$(field "$deb" Depends)
  # Computed from the binaries: the C and C++ runtimes and Boost's libraries.
  check "$deb depends on libc6" contains "$depends" '(^|, )libc6 \(>='
  check "$deb depends on libstdc++6" contains "$depends" '(^|, )libstdc\+\+6 \(>='
  check "$deb depends on Boost.Filesystem" contains "$depends" 'libboost-filesystem1\.74\.0'
done
check "the program's summary" test "$(field "${debs[0]}" Description | head -1)" = \
  "changes the network settings of a flat-panel X-ray detector"
check "the bench's summary" test "$(field "${debs[1]}" Description | head -1)" = \
  "emulated detector bench for velkor-ipconfig-cmd"
for deb in "${debs[@]}"; do
  # An extended description: lines one blank in, below the summary.
  check "$deb describes itself" test "$(field "$deb" Description | grep -c '^ [^ ]')" -ge 3
done
check "the program depends on Boost.Program_options" \
  contains "$(field "${debs[0]}" Depends)" 'libboost-program-options1\.74\.0'
check "the program recommends the bench" test "$(field "${debs[0]}" Recommends)" = velkor-bench
check "the changelog's version is the project's" \
  test "$(dpkg-parsechangelog -l NEWS -S Version)" = "$version"

# lintian: no error or warning but for the two the project has chosen to
# leave: no copyright file (the licence is the owner's to choose) and the
# placeholder maintainer address (in the control file and the changelog).
accepted='^(no-copyright-file|bogus-mail-host|bogus-mail-host-in-debian-changelog)$'
for deb in "${debs[@]}"; do
  tags=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
  unexpected=$(printf '%s\n' "$tags" | awk 'NF { print $3 }' | grep -Ev "$accepted" || true)
  check "lintian accepts $deb (${unexpected:-its tags: $(printf '%s\n' "$tags" | awk 'NF { print $3 }' | sort -u | paste -sd ' ')})" \
    test -z "$unexpected"
  if [ -n "$unexpected" ]; then
    printf '%s\n' "$tags" >&2
  fi
done

scratch=$(mktemp -d)
removed=false
cleanup() {
  if [ "$removed" = false ]; then
    dpkg -r "${packages[@]}" >/dev/null 2>&1 || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

dpkg -i "${debs[@]}"
for p in "${packages[@]}"; do
  check "$p is installed" installed "$p"
  dpkg -L "$p" >"$scratch/$p.files"
  check "$p is on PATH" test "$(command -v "$p")" = "/usr/bin/$p"
  check "man -w $p" test "$(man -w "$p")" = "/usr/share/man/man1/$p.1.gz"
  page=$(MANWIDTH=80 MANPAGER=cat man "$p" 2>&1)
  check "man $p renders its sections" contains "$page" '^EXIT STATUS'
  check "man $p shows the version" contains "$page" "$p $version"
  check "the completion of $p loads" bash -c \
    "source /usr/share/bash-completion/completions/$p && complete -p $p >/dev/null"
done
check "velkor-site is on PATH" test "$(command -v velkor-site)" = /usr/bin/velkor-site
check "man -w velkor-site" test "$(man -w velkor-site)" = /usr/share/man/man1/velkor-site.1.gz
check "the completion of velkor-site loads" bash -c \
  "source /usr/share/bash-completion/completions/velkor-site && complete -p velkor-site >/dev/null"
check "velkor-site --version is the package's" \
  test "$(velkor-site --version)" = "velkor-site $(dpkg-query -W -f='${Version}' velkor-ipconfig-cmd)"
for p in "${packages[@]}"; do
  check "$p carries the changelog" \
    bash -c "zcat /usr/share/doc/$p/changelog.gz | cmp -s - NEWS"
done
check "the README is installed" test -f /usr/share/doc/velkor-ipconfig-cmd/README.md
check "the program's page has its diagnostics" \
  contains "$(MANWIDTH=80 MANPAGER=cat man velkor-ipconfig-cmd)" '^DIAGNOSTICS'
check "velkor-bench --version is the package's" \
  test "$(velkor-bench --version)" = "velkor-bench $(dpkg-query -W -f='${Version}' velkor-bench)"

# The installed programs readdress the factory 7380, by their bare names.
(
  cd "$scratch"
  export VELKOR_BENCH="$scratch/bench"
  velkor-bench init >/dev/null
  velkor-ipconfig-cmd -t 7380 -c 192.168.37.130 -d 10.0.37.132 -p 10.0.37.133 >run.out
  velkor-bench reboot 7380 >/dev/null
  velkor-bench show 10.0.37.132 >show.out
)
# velkor-site checks and carries out the installed example plan with the
# installed program, which it finds beside itself.
(
  cd "$scratch"
  export VELKOR_BENCH="$scratch/site-bench"
  plan=/usr/share/doc/velkor-ipconfig-cmd/examples/ward-plan.csv
  velkor-bench init >/dev/null
  velkor-site check "$plan" >check.out
  velkor-site apply "$plan" --run-folder site-run >apply.out
)
check "velkor-site check passes the example plan" \
  contains "$(cat "$scratch/check.out")" '^7 rows: 7 ok, 0 with problems$'
check "velkor-site apply changes every row of the example plan" \
  contains "$(cat "$scratch/apply.out")" '^7 rows: 7 changed$'
check "velkor-site apply keeps its report" test -s "$scratch/site-run/report.json"
check "the installed program readdressed the 7380" \
  contains "$(cat "$scratch/run.out")" 'The ip address configuration process SUCCEEDED'
check "the 7380 answers at its new address" contains "$(cat "$scratch/show.out")" '10\.0\.37\.132'
check "the run wrote its log where it ran" test -s "$scratch/velkor-ipconfig-cmd.log"
check "the README's examples run with the installed programs" \
  bash tests/readme_examples_test.sh README.md

dpkg -r "${packages[@]}"
removed=true
for p in "${packages[@]}"; do
  check "$p is removed" bash -c "! dpkg-query -W -f='\${Status}' $p 2>/dev/null | grep -q installed"
  left=()
  while IFS= read -r path; do
    # Folders such as /usr/bin are shared; what the package alone made must go.
    if [ -e "$path" ] && ! { [ -d "$path" ] && [ -n "$(ls -A "$path")" ]; }; then
      left+=("$path")
    fi
  done <"$scratch/$p.files"
  check "nothing of $p is left (${left[*]:-})" test "${#left[@]}" -eq 0
done
check "the program's documentation folder is gone" test ! -e /usr/share/doc/velkor-ipconfig-cmd

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
