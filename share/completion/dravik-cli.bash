# bash completion for dravik-cli: commands, their options, and the disc names of the catalogue
# (from `dravik-cli list`, so the data folder is the one the command line names).

# The disc names of the catalogue that start with the word being typed, quoted for the shell,
# as the program being completed lists them.
_dravik_cli_discs() {
    local program=$1 typed=$2 data=$3 name
    typed=${typed#[\"\']}
    typed=${typed//\\/}
    local -a args=(list)
    [[ -n $data ]] && args+=(--data "$data")
    while IFS=$'\t' read -r name _; do
        [[ -n $name && $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <("$program" "${args[@]}" 2>/dev/null)
}

_dravik_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="catalogue search list info history restore diff rename delete help"
    local command="" data="" i
    COMPREPLY=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --data) data=${COMP_WORDS[i + 1]/#\~/$HOME}; ((i++)) ;;
        --drive | --disc | --ext | --report) ((i++)) ;;
        --version) [[ $command == restore || $command == diff ]] && ((i++)) ;;
        -*) ;;
        *) [[ -z $command ]] && command=${COMP_WORDS[i]} ;;
        esac
    done
    case $prev in
    --data)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
        ;;
    --drive)
        mapfile -t COMPREPLY < <(compgen -W "C D E F G H I J K L M N O P Q R S T U V W X Y Z" -- "${cur^^}")
        return
        ;;
    --disc)
        _dravik_cli_discs "${COMP_WORDS[0]}" "$cur" "$data"
        return
        ;;
    --ext | --report) return ;;
    --version) [[ $command == restore || $command == diff ]] && return ;;
    esac
    local options="" discs=""
    case $command in
    "") options="--help --version --data" ;;
    catalogue) options="--drive --data --rebuild" ;;
    search) options="--disc --ext --case --word --names --data --report --json" ;;
    list) options="--data --json" ;;
    info | history) options="--data --json" discs=yes ;;
    restore | diff) options="--data --version" discs=yes ;;
    rename | delete) options="--data" discs=yes ;;
    esac
    if [[ -z $command && $cur != -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
    elif [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif [[ -n $discs ]]; then
        _dravik_cli_discs "${COMP_WORDS[0]}" "$cur" "$data"
    fi
}

complete -F _dravik_cli dravik-cli
