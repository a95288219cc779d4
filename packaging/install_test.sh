#!/usr/bin/env bash
# Checks of Dravik installed into a temporary prefix, one ctest test per step:
#   install_test.sh install BUILD PREFIX      cmake --install into a fresh PREFIX
#   install_test.sh CHECK PREFIX VERSION      files | desktop | metainfo | man | help | cli | completion
#   install_test.sh remove PREFIX
# The programs run from PREFIX with a private home and nothing of the build folder on their path.
set -euo pipefail

step=$1
prefix=$2
id=org.dravik.Dravik
programs=(dravik dravik-cli dravik-peek dravik-splitter)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A private home and a path of the prefix and the system only.
sandbox() {
    home=$(mktemp -d "${TMPDIR:-/tmp}/dravik-install-home-XXXXXX")
    trap 'rm -rf "$home"' EXIT
    run=(env -i "PATH=$prefix/bin:/usr/bin:/bin" "HOME=$home" "LANG=C.UTF-8" "TMPDIR=$home")
}

check_files() {
    local f
    for p in "${programs[@]}"; do
        [ -x "$prefix/bin/$p" ] || fail "bin/$p is not installed"
        readelf -d "$prefix/bin/$p" | grep -q "R.*PATH" && fail "bin/$p keeps a run path"
    done
    for p in peek splitter; do
        [ ! -e "$prefix/bin/$p" ] || fail "bin/$p would collide with another program"
    done
    for f in share/applications/$id.desktop share/applications/$id.Peek.desktop \
        share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml \
        share/man/man1/dravik.1 share/man/man1/dravik-cli.1 share/man/man1/dravik-peek.1 \
        share/man/man1/dravik-splitter.1 share/bash-completion/completions/dravik-cli \
        share/dravik/AssHP.rtf share/doc/dravik/README.md; do
        [ -s "$prefix/$f" ] || fail "$f is not installed"
    done
    xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the icon is no SVG"
}

check_desktop() {
    local f
    for f in "$prefix/share/applications/"*.desktop; do
        desktop-file-validate "$f" || fail "desktop-file-validate refuses $f"
        grep -q "^Icon=$id$" "$f" || fail "$f names another icon"
        local exec
        exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$f")
        [ -x "$prefix/bin/$exec" ] || fail "$f starts $exec, which is not installed"
    done
    grep -q '^Exec=dravik-peek %f$' "$prefix/share/applications/$id.Peek.desktop" ||
        fail "Peek is not given the file it opens"
    grep -q '^MimeType=.*application/rtf;' "$prefix/share/applications/$id.Peek.desktop" ||
        fail "Peek is not offered for disc lists (NAME.rtf)"
}

check_metainfo() {
    local file=$prefix/share/metainfo/$id.metainfo.xml
    appstreamcli validate --no-net --strict "$file" || fail "appstreamcli refuses $file"
    local launchable
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")
    [ -f "$prefix/share/applications/$launchable" ] || fail "launchable $launchable is not installed"
    grep -q "<release version=\"$1\"" "$file" || fail "the metainfo does not name version $1"
}

# groff -ww warns of everything; its standard error must stay empty.
check_man() {
    local page warnings
    cd "$prefix/share/man"
    for page in man1/*.1; do
        warnings=$(groff -ww -man -Tutf8 -z "$page" 2>&1) || fail "groff fails on $page"
        [ -z "$warnings" ] || fail "groff warns on $page: $warnings"
        groff -man -Tascii -P-cbou "$page" | grep -q "^NAME" || fail "$page shows no NAME"
    done
    grep -q "Dravik $1" man1/dravik-cli.1 || fail "dravik-cli(1) does not name version $1"
}

# Every command and option that `dravik-cli --help` names is in dravik-cli(1).
check_help() {
    sandbox
    local help page word missing=()
    help=$("${run[@]}" dravik-cli --help) || fail "dravik-cli --help fails"
    page=$(groff -man -Tascii -P-cbou -rLL=2000n "$prefix/share/man/man1/dravik-cli.1")
    local words
    words=$({
        grep -o -- '--[a-z][a-z-]*' <<<"$help"
        sed -n 's/^\(Usage:\)\? *dravik-cli \([a-z][a-z-]*\).*/\2/p' <<<"$help"
    } | sort -u)
    [ -n "$words" ] || fail "no commands or options found in --help"
    for word in $words; do
        grep -q -- "$word" <<<"$page" || missing+=("$word")
    done
    [ ${#missing[@]} -eq 0 ] || fail "dravik-cli(1) lacks: ${missing[*]}"
}

check_cli() {
    sandbox
    local out status
    for p in "${programs[@]}"; do
        out=$("${run[@]}" "$p" --version) || fail "$p --version fails"
        [ "$out" = "$p $1" ] || fail "$p --version prints \"$out\""
    done
    status=0
    "${run[@]}" dravik-cli --no-such-option >"$home/out" 2>"$home/err" || status=$?
    [ $status -eq 2 ] || fail "a wrong option ends with $status, not 2"
    [ "$(wc -l <"$home/err")" -eq 1 ] || fail "a wrong option is not one line: $(cat "$home/err")"
    [ ! -s "$home/out" ] || fail "a wrong option prints on standard output"

    mkdir -p "$home/disc/Photos" "$home/data"
    printf 'x' >"$home/disc/Photos/a.jpg"
    printf 'y' >"$home/disc/b.txt"
    out=$("${run[@]}" DRAVIK_DRIVE_E="$home/disc" dravik-cli catalogue "Disc 1" --drive E \
        --data "$home/data") || fail "catalogue fails: $out"
    [ "$out" = "2 files : 1 folders" ] || fail "catalogue prints \"$out\""
    out=$("${run[@]}" dravik-cli list --data "$home/data")
    [ "$out" = $'Disc 1\t' ] || fail "list prints \"$out\""

    # The installed program keeps its files per user, with what it ships copied there.
    local folder=$home/.local/share/Dravik
    cmp -s "$folder/AssHP.rtf" "$prefix/share/dravik/AssHP.rtf" || fail "AssHP.rtf not in $folder"
    [ -z "$(find "$prefix" -newer "$home/disc/b.txt" -type f)" ] || fail "the program wrote into $prefix"

    # A user's own help, in any letter case, stays.
    mkdir -p "$home/mine/Dravik"
    printf 'mine\r\n' >"$home/mine/Dravik/asshp.rtf"
    "${run[@]}" XDG_DATA_HOME="$home/mine" dravik-cli list --data "$home/data" >/dev/null
    [ "$(ls "$home/mine/Dravik" | grep -ci '^asshp.rtf$')" -eq 1 ] || fail "a second AssHP.rtf was copied"
    [ "$(cat "$home/mine/Dravik/asshp.rtf")" = $'mine\r' ] || fail "the user's help was replaced"
}

# What bash completes for a command line whose last word is being typed.
completed() {
    "${run[@]}" bash -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        _dravik_cli
        printf "%s\n" "${COMPREPLY[@]}"' completion \
        "$prefix/share/bash-completion/completions/dravik-cli" "$@"
}

check_completion() {
    sandbox
    mkdir -p "$home/data"
    printf 'Disc 1\r\nHoliday 2009\r\nDisc 2\r\n' >"$home/data/DK.tex"
    local out
    out=$(completed dravik-cli "")
    for c in catalogue search list info history restore diff rename delete; do
        grep -qx "$c" <<<"$out" || fail "command $c is not completed: $out"
    done
    [ "$(completed dravik-cli se)" = search ] || fail "se is not completed to search"
    [ "$(completed dravik-cli search x --na)" = --names ] || fail "--na is not completed"
    [ "$(completed dravik-cli --vers)" = --version ] || fail "--vers is not completed"
    out=$(completed dravik-cli --data "$home/data" info Di)
    [ "$out" = $'Disc\\ 1\nDisc\\ 2' ] || fail "disc names are completed as \"$out\""
    out=$(completed dravik-cli search x --data "$home/data" --disc H)
    [ "$out" = 'Holiday\ 2009' ] || fail "--disc completes \"$out\""
}

case $step in
install)
    rm -rf "$3"
    cmake --install "$2" --prefix "$3" >/dev/null
    ;;
remove) rm -rf "$prefix" ;;
files) check_files ;;
desktop) check_desktop ;;
metainfo) check_metainfo "$3" ;;
man) check_man "$3" ;;
help) check_help ;;
cli) check_cli "$3" ;;
completion) check_completion ;;
*) fail "unknown step $step" ;;
esac
