# bash completion for velkor-ipconfig-cmd, velkor-site and velkor-bench  -*- shell-script -*-
#
# One file for both programs, installed under each name, so that whichever is
# completed first brings both and the helpers exist once. Needs bash alone (no
# helpers of the bash-completion package), so it also works when sourced by
# hand.

# The words of the line as the shell splits them. Bash also breaks words at
# the "=" and ":" of COMP_WORDBREAKS ("--type=7380" arrives as three words):
# such pieces are joined again. Sets the caller's words, cword and cur (the
# current word up to the cursor).
_velkor__words() {
  local line=${COMP_LINE:-} breaks="" piece=""
  local -i point=${COMP_POINT:-0} current=${COMP_CWORD:-0}
  local -i i=0 pos=0 n=-1 start=0 attached=0 is_break=0 after_break=0
  [[ ${COMP_WORDBREAKS:-} == *=* ]] && breaks+="="
  [[ ${COMP_WORDBREAKS:-} == *:* ]] && breaks+=":"
  words=()
  cword=0
  cur=""
  for ((i = 0; i < ${#COMP_WORDS[@]}; i++)); do
    piece=${COMP_WORDS[i]}
    attached=1
    while [[ ${line:pos:1} == [[:space:]] ]]; do
      pos+=1
      attached=0
    done
    if [[ ${line:pos:${#piece}} != "$piece" ]]; then
      # Not the line these words came from: take the words as they are.
      words=("${COMP_WORDS[@]}")
      cword=$current
      cur=${words[cword]:-}
      return 0
    fi
    is_break=0
    if [[ -n $breaks && -n $piece && -z ${piece//[$breaks]/} ]]; then
      is_break=1
    fi
    if ((i > 0 && attached && (is_break || after_break))); then
      words[n]+=$piece
    else
      n+=1
      words[n]=$piece
      start=$pos
    fi
    after_break=$is_break
    if ((i == current)); then
      cword=$n
      if ((point >= start)); then
        cur=${line:start:point-start}
      fi
    fi
    pos+=${#piece}
  done
  return 0
}

# Sets the caller's bang to the character that starts a history reference
# where history expansion is on (histchars), else to nothing.
_velkor__history_character() {
  bang=""
  if [[ $- == *H* ]]; then
    bang=${histchars:-!}
    bang=${bang:0:1}
  fi
}

# The quote $1 as a letter that no character of the line can be taken for
# in a case pattern: u (unquoted), s (single quotes) or d (double quotes).
_velkor__quote_letter() {
  case $1 in
    \') letter=s ;;
    \") letter=d ;;
    *) letter=u ;;
  esac
}

# Reads the current word $1 as the shell will once the line is accepted.
# Sets the caller's value (the text the word stands for so far), quote (the
# quote left open at its end, if any) and typed (the end of the word that
# readline replaces: after the open quote, else after the last break
# character outside quotes; less a backslash that escapes nothing yet).
# Returns 1 when the word holds more than plain or quoted text (an
# expansion, a pattern, a history reference): only running it would tell
# what it stands for.
_velkor__read_word() {
  local word=$1 breaks=${COMP_WORDBREAKS:-} c="" letter=u bang=""
  local -i i=0 opened=0 broken=0 pending=0
  _velkor__history_character
  value=""
  quote=""
  typed=""
  for ((i = 0; i < ${#word}; i++)); do
    c=${word:i:1}
    case $letter$c in
      [du]"$bang") return 1 ;;
      s\' | d\") quote="" ;;
      s*) value+=$c ;;
      d\\ | u\\)
        if ((i + 1 == ${#word})); then
          pending=1
        else
          i+=1
          # In double quotes a backslash escapes these four only.
          [[ $letter == u || ${word:i:1} == [\$\`\"\\] ]] || value+=$c
          value+=${word:i:1}
        fi
        ;;
      d[\$\`]) return 1 ;;
      d*) value+=$c ;;
      u[\"\'])
        quote=$c
        ((opened = i + 1))
        ;;
      u[[:alnum:]_./,:=@%+-])
        value+=$c
        [[ $breaks != *"$c"* ]] || ((broken = i + 1))
        ;;
      *) return 1 ;;
    esac
    _velkor__quote_letter "$quote"
  done
  [[ -n $quote ]] || ((opened = broken))
  typed=${word:opened:${#word}-opened-pending}
  return 0
}

# Sets the caller's quoted to the text $1 written for the line where the
# quote $2 is open ("" for none), so that the shell reads it back as it is
# and expands nothing. Returns 1 when that cannot be done on one line:
# characters that are not printable.
_velkor__quote() {
  local text=$1 c="" letter="" bang=""
  local -i i=0
  _velkor__history_character
  _velkor__quote_letter "$2"
  quoted=""
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    [[ $c == [[:print:]] ]] || return 1
    case $letter$c in
      s\') quoted+="'\''" ;;
      s*) quoted+=$c ;;
      # A backslash keeps history expansion away but stays in double
      # quotes: it goes between them.
      d"$bang") quoted+="\"\\$c\"" ;;
      d[\"\$\`\\]) quoted+=\\$c ;;
      d*) quoted+=$c ;;
      u"$bang") quoted+=\\$c ;;
      u[[:alnum:]_./,:=@%+-]) quoted+=$c ;;
      *) quoted+=\\$c ;;
    esac
  done
  return 0
}

# Sets COMPREPLY to the candidates that extend the current word $1, written
# as the line needs them where the word stands: escaped, or in the quote the
# word left open. A candidate that cannot be written there is not offered.
_velkor__reply() {
  local cur=$1 candidate="" value="" quote="" typed="" quoted="" reply=""
  local -A seen=()
  shift
  COMPREPLY=()
  _velkor__read_word "$cur" || return 0
  for candidate in "$@"; do
    [[ -n $candidate && $candidate == "$value"* ]] || continue
    _velkor__quote "${candidate:${#value}}" "$quote" || continue
    reply=$typed$quoted
    # Readline takes a reply that starts with the open quote for one that
    # replaces that quote too.
    [[ -z $quote || $reply != "$quote"* ]] || reply=$quote$reply
    [[ -z ${seen[x$reply]:-} ]] || continue
    seen[x$reply]=1
    COMPREPLY+=("$reply")
  done
  # Readline closes the quote after a single reply, unless the reply ends
  # with the quote character, which here is escaped or closes a quote of
  # its own: the quote left open is closed here then.
  if [[ ${#COMPREPLY[@]} -eq 1 && -n $quote && ${COMPREPLY[0]} == *"$quote" ]]; then
    COMPREPLY[0]+=$quote
  fi
  return 0
}

# 0 when the file holds a number other than 0, 1 when it holds 0 and 2 when
# it holds none: its first word read as strtoull does with base 0 ("4",
# "0x3F8", "010"), as the program reads sysfs attributes.
_velkor__sysfs_number() {
  local text="" digits=""
  [[ -f $1 && -r $1 ]] || return 2
  read -r -d '' text 2>/dev/null <"$1" || :
  text=${text#"${text%%[![:space:]]*}"}
  text=${text%%[[:space:]]*}
  case $text in
    [+-]*) text=${text:1} ;;
  esac
  case $text in
    0[xX]*)
      digits=${text:2}
      [[ -n $digits && -z ${digits//[0123456789abcdefABCDEF]/} ]] || return 2
      ;;
    0*)
      digits=$text
      [[ -z ${digits//[01234567]/} ]] || return 2
      ;;
    [123456789]*)
      digits=$text
      [[ -z ${digits//[0123456789]/} ]] || return 2
      ;;
    *) return 2 ;;
  esac
  [[ -n ${digits//0/} ]] && return 0
  return 1
}

# Prints the name of the folder a sysfs link leads to, nothing when it leads
# nowhere. sysfs links folders, so cd resolves them without readlink.
_velkor__target_name() {
  CDPATH="" cd -P -- "$1" 2>/dev/null && printf '%s' "${PWD##*/}"
  return 0
}

# 0 when the tty entry $1 is a UART port that the 8250 driver registered
# without a UART behind it: its type is 0 or, without a type, it has neither
# an I/O port nor a memory address.
_velkor__absent_uart() {
  local entry=$1 driver="" device=""
  local -i status=0
  _velkor__sysfs_number "$entry/type" || status=$?
  if ((status != 2)); then
    ((status == 1))
    return
  fi
  driver=$(_velkor__target_name "$entry/device/driver")
  device=$(_velkor__target_name "$entry/device")
  [[ $driver == serial8250 || $device == serial8250* ]] || return 1
  _velkor__sysfs_number "$entry/port" && return 1
  _velkor__sysfs_number "$entry/iomem_base" && return 1
  return 0
}

# Adds to the caller's candidates the serial ports the program would walk:
# the entries of the sysfs tty table backed by a device, less consoles,
# pseudo-terminals and absent UARTs, as /dev names. $VELKOR_SERIAL_ROOT, when
# set, names the table to read instead of the host's, as for the program;
# the host's /dev names of the usual serial drivers come on top.
_velkor__serial_ports() {
  local root=${VELKOR_SERIAL_ROOT:-} entry="" name="" node="" number=""
  local -i host=0
  if [[ -z $root ]]; then
    root=/sys/class/tty
    host=1
  fi
  for entry in "$root"/*; do
    name=${entry##*/}
    case $name in
      tty | console | ptmx | pty*) continue ;;
      tty[pqrstuvwxyzabcde][0123456789abcdef]) continue ;;
    esac
    number=${name#tty}
    [[ $name == tty?* && -z ${number//[0123456789]/} ]] && continue
    [[ -e $entry/device || -L $entry/device ]] || continue
    _velkor__absent_uart "$entry" && continue
    # sysfs writes the "/" of nested device names as "!".
    name=/dev/${name//!//}
    if ((host)) && [[ ! -e $name ]]; then
      continue
    fi
    candidates+=("$name")
  done
  if ((host)); then
    for node in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM*; do
      [[ -c $node ]] && candidates+=("$node")
    done
  fi
  return 0
}

# Adds to the caller's candidates the values of the string members named $1
# of the JSON text $2. A value is one run of text to its closing quote;
# values with escapes other than \" \\ \/ stand for control characters and
# are left out.
_velkor__json_strings() {
  local key="\"$1\":\"" rest=$2 value="" chunk=""
  local -i usable=1
  while [[ $rest == *"$key"* ]]; do
    rest=${rest#*"$key"}
    value=""
    usable=1
    while [[ -n $rest ]]; do
      chunk=${rest%%[\"\\]*}
      value+=$chunk
      rest=${rest:${#chunk}}
      case ${rest:0:1} in
        \")
          rest=${rest:1}
          break
          ;;
        \\)
          case ${rest:1:1} in
            \" | \\ | /) value+=${rest:1:1} ;;
            *) usable=0 ;;
          esac
          rest=${rest:2}
          ;;
      esac
    done
    ((usable)) && candidates+=("$value")
  done
  return 0
}

# Runs the completer $1 with globbing and matching as this file expects,
# whatever the user has set, and gives the user's settings back afterwards.
_velkor__run() {
  local -
  set +f
  local shell_options=""
  shell_options=$(shopt -p nullglob dotglob failglob nocaseglob nocasematch) || :
  shopt -s nullglob dotglob
  shopt -u failglob nocaseglob nocasematch
  COMPREPLY=()
  "$1"
  eval "$shell_options"
  return 0
}

# --- velkor-ipconfig-cmd ------------------------------------------------------

# Sets the caller's longs and shorts to the program's options: the long
# names, and their short letters in the same order.
_velkor_ipconfig_cmd__table() {
  longs=(help type current_detector_ip current_peer_ip new_detector_ip new_peer_ip
    new_ssid new_password wifi_enable module serial_port verbose)
  shorts=htcldpiowmsv
}

# Sets the caller's option to the long name of an option word: "--type",
# "-t" and "--ty" (the option library takes a beginning that names a single
# option) give "type"; empty when the word names none.
_velkor_ipconfig_cmd__option() {
  local word=$1 name="" found="" letter="" before="" shorts=""
  local -a longs=()
  local -i matches=0
  _velkor_ipconfig_cmd__table
  option=""
  if [[ $word == --?* ]]; then
    word=${word#--}
    for name in "${longs[@]}"; do
      if [[ $name == "$word" ]]; then
        option=$name
        return 0
      fi
      if [[ $name == "$word"* ]]; then
        found=$name
        matches+=1
      fi
    done
    ((matches == 1)) && option=$found
  elif [[ $word == -? ]]; then
    letter=${word:1}
    before=${shorts%%"$letter"*}
    [[ $before != "$shorts" ]] && option=${longs[${#before}]}
  fi
  return 0
}

# 0 when the option (long name) takes a value.
_velkor_ipconfig_cmd__takes_value() {
  case $1 in
    "" | help | module | verbose) return 1 ;;
  esac
  return 0
}

# Adds to the caller's candidates the ports of the bench's infrared modules,
# from the velkor-bench beside the program named on the line, else the one
# on PATH.
_velkor_ipconfig_cmd__module_ports() {
  local program=${words[0]:-} bench="" json=""
  program=${program/#\~\//${HOME:-}/}
  if [[ $program == */* && -f ${program%/*}/velkor-bench && -x ${program%/*}/velkor-bench ]]; then
    bench=${program%/*}/velkor-bench
  else
    bench=$(type -P velkor-bench) || :
  fi
  [[ -n $bench ]] || return 0
  json=$("$bench" list --json 2>/dev/null </dev/null) || return 0
  _velkor__json_strings port "$json"
}

# Adds to the caller's candidates the values of the option $1 (long name).
# Addresses, the SSID and the Wi-Fi password are the technician's to type.
_velkor_ipconfig_cmd__values() {
  case $1 in
    type) candidates+=(6080K 4050QL 6080QL 7180 7380 7380TW 6080MV) ;;
    wifi_enable) candidates+=(true false) ;;
    serial_port)
      _velkor__serial_ports
      _velkor_ipconfig_cmd__module_ports
      ;;
  esac
  return 0
}

_velkor_ipconfig_cmd__complete() {
  local words=() cword=0 cur="" word="" option="" value_of="" prefix="" name=""
  local shorts=""
  local -a candidates=() used=() offered=() longs=()
  local -i i=0 j=0
  _velkor__words
  _velkor_ipconfig_cmd__table

  # What the words before the current one give: the options used (the
  # program refuses one given twice) and whether the current word is the
  # value of the last one.
  for ((i = 1; i < cword; i++)); do
    word=${words[i]}
    if [[ -n $value_of ]]; then
      value_of=""
      continue
    fi
    case $word in
      --?*=*)
        _velkor_ipconfig_cmd__option "${word%%=*}"
        used+=("$option")
        ;;
      --?*)
        _velkor_ipconfig_cmd__option "$word"
        used+=("$option")
        _velkor_ipconfig_cmd__takes_value "$option" && value_of=$option
        ;;
      -?*)
        # Short options may share a word ("-mv") and a value may stick to
        # its option ("-t7380").
        for ((j = 1; j < ${#word}; j++)); do
          _velkor_ipconfig_cmd__option "-${word:j:1}"
          [[ -n $option ]] || break
          used+=("$option")
          if _velkor_ipconfig_cmd__takes_value "$option"; then
            ((j == ${#word} - 1)) && value_of=$option
            break
          fi
        done
        ;;
    esac
  done

  if [[ -n $value_of ]]; then
    _velkor_ipconfig_cmd__values "$value_of"
  elif [[ $cur == --?*=* ]]; then
    _velkor_ipconfig_cmd__option "${cur%%=*}"
    if _velkor_ipconfig_cmd__takes_value "$option"; then
      prefix=${cur%%=*}=
      _velkor_ipconfig_cmd__values "$option"
    fi
  elif [[ $cur == -[!-]* ]]; then
    _velkor_ipconfig_cmd__option "${cur:0:2}"
    if [[ ${#cur} -eq 2 && -n $option ]]; then
      # A whole short option: take it as it is.
      candidates=("$cur")
    elif _velkor_ipconfig_cmd__takes_value "$option"; then
      prefix=${cur:0:2}
      _velkor_ipconfig_cmd__values "$option"
    fi
  else
    # The program takes no word that is not an option or its value.
    for name in "${longs[@]}"; do
      [[ " ${used[*]} " == *" $name "* ]] || candidates+=("--$name")
    done
  fi
  for word in "${candidates[@]}"; do
    offered+=("$prefix$word")
  done
  _velkor__reply "$cur" "${offered[@]}"
}

_velkor_ipconfig_cmd() {
  _velkor__run _velkor_ipconfig_cmd__complete
}

complete -F _velkor_ipconfig_cmd velkor-ipconfig-cmd

# --- velkor-bench ------------------------------------------------------------

# Sets the caller's json to what the bench tool named on the line (else the
# one on PATH) lists, so a build folder's tool and $VELKOR_BENCH are honoured.
_velkor_bench__listing() {
  local program=${words[0]:-} bench=""
  program=${program/#\~\//${HOME:-}/}
  if [[ $program == */* ]]; then
    [[ -f $program && -x $program ]] && bench=$program
  else
    bench=$(type -P -- "$program") || :
  fi
  if [[ -z $bench ]]; then
    bench=$(type -P velkor-bench) || :
  fi
  [[ -n $bench ]] || return 0
  json=$("$bench" list --json 2>/dev/null </dev/null) || json=""
  return 0
}

# Adds to the caller's candidates the ids of the bench's detectors, the
# damaged ones too (remove takes them).
_velkor_bench__detectors() {
  local json=""
  _velkor_bench__listing
  _velkor__json_strings id "$json"
}

# Adds to the caller's candidates the ports of the bench's infrared modules.
_velkor_bench__modules() {
  local json=""
  _velkor_bench__listing
  _velkor__json_strings port "$json"
}

_velkor_bench__complete() {
  local words=() cword=0 cur="" word="" command="" value_of="" flag=""
  local -a candidates=() given=() arguments=() offered=()
  local -i i=0 words_only=0
  _velkor__words

  # The tool reads options wherever they stand, up to "--"; a valued option
  # takes the next word, whatever it is.
  for ((i = 1; i < cword; i++)); do
    word=${words[i]}
    if [[ -n $value_of ]]; then
      value_of=""
    elif ((!words_only)) && [[ $word == -?* ]]; then
      case $word in
        --) words_only=1 ;;
        --host | --link) value_of=$word ;;
      esac
      given+=("$word")
    elif [[ -z $command ]]; then
      command=$word
    else
      arguments+=("$word")
    fi
  done
  # Help stops everything else.
  case " ${given[*]} " in
    *" --help "* | *" -h "*) return 0 ;;
  esac

  if [[ $value_of == --link ]]; then
    candidates=(cable wifi)
  elif [[ -n $value_of ]]; then
    : # --host takes an address
  elif ((!words_only)) && [[ $cur == -* ]]; then
    case $command in
      "") candidates=(--help --version) ;;
      init) candidates=(--force) ;;
      list | show) candidates=(--json) ;;
      add) candidates=(--host --link) ;;
    esac
    # Once is enough for an option.
    for flag in "${candidates[@]}"; do
      [[ " ${given[*]} " == *" $flag "* ]] || offered+=("$flag")
    done
    candidates=("${offered[@]}")
  elif [[ -z $command ]]; then
    candidates=(init list add remove show dump reboot fault link plug unplug check-password help)
  else
    case $command:${#arguments[@]} in
      add:0) candidates=(6080K 7180 7380 6080QL 4050QL 7380TW 6080MV) ;;
      remove:0 | show:0 | dump:0 | reboot:0 | fault:0 | link:0 | check-password:0 | plug:1)
        _velkor_bench__detectors
        ;;
      dump:1) candidates=(68 206) ;;
      fault:1)
        candidates=(offline fail-write refuse-write missing:file missing:connection
          missing:network_configuration missing:wifi missing:serial_ir)
        ;;
      fault:2) candidates=(on off) ;;
      link:1) candidates=(cable wifi) ;;
      plug:0)
        _velkor__serial_ports
        _velkor_bench__modules
        ;;
      unplug:0) _velkor_bench__modules ;;
      # check-password reads the password from its standard input: nothing
      # follows the detector.
    esac
  fi
  _velkor__reply "$cur" "${candidates[@]}"
}

_velkor_bench() {
  _velkor__run _velkor_bench__complete
}

complete -F _velkor_bench velkor-bench

# --- velkor-site -------------------------------------------------------------

# Adds to the caller's candidates the paths that the current word begins:
# folders (with a "/"), and with $1 "plans" the .csv files, with "files"
# every file.
_velkor_site__paths() {
  local value="" quote="" typed="" path=""
  # The word as the shell will read it: a word it cannot tell gets nothing.
  _velkor__read_word "$cur" || return 0
  for path in "$value"*; do
    if [[ -d $path ]]; then
      candidates+=("$path/")
    elif [[ -f $path && ($1 == files || ($1 == plans && $path == *.[cC][sS][vV])) ]]; then
      candidates+=("$path")
    fi
  done
  return 0
}

_velkor_site__complete() {
  local words=() cword=0 cur="" word="" command="" value_of="" option="" flag=""
  local -a candidates=() given=() arguments=() flags=()
  local -i i=0
  _velkor__words

  # The command comes first; show takes the program's options (a value as the
  # next word or after "="), apply's --from, --program and --run-folder the
  # next word.
  for ((i = 1; i < cword; i++)); do
    word=${words[i]}
    if [[ -n $value_of ]]; then
      value_of=""
    elif [[ -z $command && $word != -* ]]; then
      command=$word
    elif [[ $word == -?* ]]; then
      given+=("$word")
      case $command:$word in
        apply:--from | apply:--program | apply:--run-folder) value_of=$word ;;
        show:-?*)
          # The program's options, under their long names however written.
          _velkor_ipconfig_cmd__option "${word%%=*}"
          [[ -z $option ]] || given+=("--$option")
          if [[ $word != *=* && $word != -[!-]?* ]] && _velkor_ipconfig_cmd__takes_value "$option"; then
            value_of=$option
          fi
          ;;
      esac
    else
      arguments+=("$word")
    fi
  done
  case " ${given[*]} " in
    *" --help "* | *" -h "*) return 0 ;;
  esac

  if [[ $command == show && -z $value_of && $cur == --?*=* ]]; then
    _velkor_ipconfig_cmd__option "${cur%%=*}"
    if _velkor_ipconfig_cmd__takes_value "$option"; then
      _velkor_ipconfig_cmd__values "$option"
      for word in "${candidates[@]}"; do
        flags+=("${cur%%=*}=$word")
      done
      candidates=("${flags[@]}")
    fi
    value_of=written
  fi
  case $command:$value_of in
    show:written) : ;;
    apply:--program) _velkor_site__paths files ;;
    apply:--run-folder) _velkor_site__paths folders ;;
    apply:--from) : ;; # a plan line
    show:?*) _velkor_ipconfig_cmd__values "$value_of" ;;
    *)
      if [[ -z $command && $cur == -* ]]; then
        flags=(--help --version)
      elif [[ -z $command ]]; then
        candidates=(show check apply help)
      elif [[ $command == help ]]; then
        ((${#arguments[@]} > 0)) || candidates=(show check apply help)
      elif [[ $command == show ]]; then
        # Nothing but options and their values.
        flags=(--json --type --current_detector_ip --current_peer_ip --module --serial_port)
      elif [[ ($command == check || $command == apply) && $cur != -* ]] &&
        ((${#arguments[@]} == 0)); then
        _velkor_site__paths plans
      elif [[ $command == check ]]; then
        flags=(--json)
      elif [[ $command == apply ]]; then
        flags=(--keep-going --from --program --run-folder)
      fi
      # Once is enough for an option.
      for flag in "${flags[@]}"; do
        [[ " ${given[*]} " == *" $flag "* ]] || candidates+=("$flag")
      done
      ;;
  esac
  _velkor__reply "$cur" "${candidates[@]}"
  # A folder is a step on the way: no blank after it.
  if ((${#COMPREPLY[@]} == 1)) && [[ ${COMPREPLY[0]} == */ ]]; then
    compopt -o nospace 2>/dev/null || :
  fi
  return 0
}

_velkor_site() {
  _velkor__run _velkor_site__complete
}

complete -F _velkor_site velkor-site
