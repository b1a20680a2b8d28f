# bash completion for pelunits: commands, options and unit names. All three are asked
# of the tool itself (its help texts and `pelunits units --format tsv`), so that they
# follow the installed version.

# The options of a command ("" for the tool itself), one a line, each followed by its
# value when it takes one, a placeholder or the words it takes: "--unit NAME",
# "--rounding nearest|up|down", "--regional".
_pelunits_options() {
  "$1" ${2:+"$2"} --help 2>/dev/null |
    grep -oE -- '^ +(-[a-z], )?--[a-z][a-z-]*( [A-Z]+| [a-z]+(\|[a-z]+)+)?' |
    sed -E 's/^ +(-[a-z], )?//'
}

_pelunits() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  local tool=${COMP_WORDS[0]} command= options i word
  COMPREPLY=()

  # The command is the first word that is neither an option nor an option's value.
  options=$(_pelunits_options "$tool" display)
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ $word == -* ]]; then
      grep -qE -- "^$word [^ ]+$" <<<"$options" && ((i++))
    elif [[ -z $command ]]; then
      command=$word
      options=$(_pelunits_options "$tool" "$command")
    fi
  done

  case $prev in
    -u | --unit | --from | --to)
      COMPREPLY=($(compgen -W "$("$tool" units --format tsv 2>/dev/null | tail -n +2 | cut -f1)" \
        -- "$cur"))
      return ;;
    --format)
      COMPREPLY=($(compgen -W "text tsv json" -- "$cur"))
      return ;;
  esac
  # An option that takes one of a few words offers them; any other that takes a value,
  # nothing.
  if [[ $prev == -* ]]; then
    local value
    value=$(grep -E -- "^$prev [^ ]+$" <<<"$options" | cut -d' ' -f2)
    [[ $value == *'|'* ]] && COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur"))
    [[ -n $value ]] && return
  fi

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(cut -d' ' -f1 <<<"$options")" -- "$cur"))
  elif [[ -z $command ]]; then
    local commands
    commands=$("$tool" --help 2>/dev/null |
      sed -n '/^commands:/,/^$/s/^  \([a-z][a-z]*\) .*/\1/p')
    COMPREPLY=($(compgen -W "$commands" -- "$cur"))
  fi
}
complete -F _pelunits pelunits
