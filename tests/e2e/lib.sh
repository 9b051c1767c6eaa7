# Shared by the end-to-end cases: one throwaway Wine session per case (a copy of the prepared prefix and its
# own X display) and the steps and checks a user makes, through the driver and xdotool.
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)
BUILD=${BUILD:-$ROOT/build}
DORMORA_EXE=$BUILD/win/Dormora.exe
DRIVER_EXE=$BUILD/win/tests/e2e/e2e_driver.exe
MARKER_EXE=$BUILD/win/tests/e2e/e2e_marker.exe
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A Chinese session, as the program's users have (the driver takes its arguments in UTF-8).
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

MAIN='Dormora v2.0 email:*'
MARKER_WIN='C:\e2e\marker.exe'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

note() { echo "  $*" >&2; }

# Seconds since the given $EPOCHREALTIME, to a tenth.
# Seconds from the first time to the second (to now when there is none).
since() { awk -v a="$1" -v b="${2:-$EPOCHREALTIME}" 'BEGIN { printf "%.1f", b - a }'; }

# Milliseconds (ms_until) or a sleep (sleep_until) to the given second after arming.
ms_until() {
    awk -v a="$ARMED_AT" -v s="$1" -v b="$EPOCHREALTIME" 'BEGIN { d = (a + s - b) * 1000; if (d < 0) d = 0; printf "%d", d }'
}
sleep_until() { sleep "$(awk -v m="$(ms_until "$1")" 'BEGIN { printf "%.3f", m / 1000 }')"; }

within() {  # LOW HIGH VALUE WHAT
    awk -v l="$1" -v h="$2" -v v="$3" 'BEGIN { exit !(v >= l && v <= h) }' ||
        fail "$4 at ${3}s, expected between ${1}s and ${2}s"
    note "$4 at ${3}s"
}

start_session() {
    SESSION=$(mktemp -d "${TMPDIR:-/tmp}/dormora-e2e.XXXXXX")
    trap end_session EXIT
    trap 'exit 130' INT TERM
    cp -a "$BUILD/wineprefix" "$SESSION/prefix"
    export WINEPREFIX=$SESSION/prefix
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    cp "$MARKER_EXE" "$WINEPREFIX/drive_c/e2e/marker.exe"
    MARKER_FILE=$WINEPREFIX/drive_c/e2e/marker.txt
    # A display of its own: the cases run side by side.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$SESSION/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$SESSION/display" ] && break
        sleep 0.1
    done
    [ -s "$SESSION/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(cat "$SESSION/display")
    # A long-lived program keeps the server and the desktop up between the steps.
    wine "$DRIVER_EXE" hold >/dev/null 2>&1 &
}

end_session() {
    local status=$?
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    [ -n "${SESSION:-}" ] && rm -rf "$SESSION"
    exit "$status"
}

# Wine processes of this session (a copied prefix has processes of its own only), optionally one program.
session_pids() {
    local file pid comm
    for file in $(grep -lzsxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${file#/proc/}
        pid=${pid%/environ}
        comm=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
        case $comm in
            wineserver*) continue ;;
            *.exe | wine*) ;;
            *) continue ;;
        esac
        [ -z "${1:-}" ] || [ "$comm" = "$1" ] && echo "$pid"
    done
}

dormora_running() { [ -n "$(session_pids Dormora.exe)" ]; }

start_dormora() {
    wine "$DORMORA_EXE" >"$SESSION/dormora.log" 2>&1 &
    drv wait "$MAIN" 30000 >/dev/null || fail "the main window did not show"
}

# The driver; its complaint goes to the session's log, for the failure message.
drv() { wine "$DRIVER_EXE" "$@" 2>"$SESSION/driver.err"; }

must() {
    drv "$@" || fail "$* — $(tail -n 1 "$SESSION/driver.err")"
}

click() { must click "$@"; }
expect() { must expect "$@"; }

# Waits for the message box, checks its text and presses its button.
message_box() {  # TEXT [timeout ms]
    local text
    text=$(drv msgbox Dormora "${2:-5000}") || fail "no message box \"$1\" — $(tail -n 1 "$SESSION/driver.err")"
    [ "$text" = "$1" ] || fail "message box says \"$text\", expected \"$1\""
}

no_message_box() { must absent Dormora "${1:-1000}"; }

expect_idle() {
    expect "$MAIN" 执行任务 enabled 1
    expect "$MAIN" 放弃任务 enabled 0
    expect "$MAIN" 任务执行时间设置 enabled 1
    expect "$MAIN" 任务设定 enabled 1
}

expect_armed() {
    expect "$MAIN" 执行任务 enabled 0
    expect "$MAIN" 放弃任务 enabled 1
    expect "$MAIN" 任务执行时间设置 enabled 0
    expect "$MAIN" 任务设定 enabled 0
}

# Keys into a spin box: the old value selected and replaced, as a user types over it.
type_value() {  # CONTROL VALUE
    must type "$MAIN" "$1" "$2"
    expect "$MAIN" "$1" text "$2"
}

set_delay() {  # HOURS MINUTES
    click "$MAIN" '延 时'
    expect "$MAIN" '延 时' checked 1
    expect "$MAIN" right-of:延迟 enabled 1
    type_value right-of:延迟#1 "$1"
    type_value right-of:延迟#2 "$2"
}

set_reminder() {  # HOURS MINUTES
    click "$MAIN" '提 醒'
    expect "$MAIN" '提 醒' checked 1
    expect "$MAIN" right-of:每隔 enabled 1
    type_value right-of:每隔#1 "$1"
    type_value right-of:每隔#2 "$2"
}

set_countdown() {  # SECONDS, or off
    if [ "$1" = off ]; then
        [ "$(drv get "$MAIN" 执行行前 checked)" = 1 ] && click "$MAIN" 执行行前
        expect "$MAIN" 执行行前 checked 0
        expect "$MAIN" right-of:执行行前 enabled 0
    else
        expect "$MAIN" 执行行前 checked 1
        type_value right-of:执行行前 "$1"
    fi
}

choose_action() { must select "$MAIN" ComboBox#0 "$1"; expect "$MAIN" ComboBox#0 text "$1"; }

# Opens the marker program through the real open-file dialog: its path typed into the name box, then Enter.
choose_marker_file() {
    choose_action 打开程序或文件
    expect "$MAIN" 选择 enabled 1
    click "$MAIN" 选择
    must wait class:#32770 10000 >/dev/null
    must type class:#32770 Edit#0 "$MARKER_WIN"
    expect class:#32770 Edit#0 text "$MARKER_WIN"
    must key class:#32770 Edit#0 Return
    must gone class:#32770 5000
    expect "$MAIN" 'right-of:文 件 名：' text "$MARKER_WIN"
}

# Arms the task; ARMED_AT is when the button was pressed.
arm() {
    click "$MAIN" 执行任务
    ARMED_AT=$EPOCHREALTIME
    expect_armed
    no_message_box 500
}

marker_lines() { [ -f "$MARKER_FILE" ] && wc -l <"$MARKER_FILE" || echo 0; }

# Waits up to SECONDS for the chosen program to run; prints when it first ran (Unix seconds).
wait_for_run() {  # SECONDS
    local _
    for _ in $(seq $(($1 * 10))); do
        [ "$(marker_lines)" != 0 ] && break
        sleep 0.1
    done
    [ "$(marker_lines)" != 0 ] || fail "the chosen program never ran"
    awk '{ printf "%.3f", $1 / 1000; exit }' "$MARKER_FILE"
}

# A password dialog ("退出"): the entry typed and 确定 pressed.
enter_password() {  # ENTRY
    must wait 退出 5000 >/dev/null
    must type 退出 right-of:密码: "$1"
    click 退出 确定
}

set_password() {  # OLD NEW CONFIRM
    click "$MAIN" 修改密码
    must wait 修改密码 5000 >/dev/null
    must type 修改密码 'right-of:原密码(默认为空)：---' "$1"
    must type 修改密码 right-of:新密码： "$2"
    must type 修改密码 right-of:确认新密码： "$3"
    click 修改密码 确定
}

# The main window's process ends (and with it its windows).
expect_exit() {  # [timeout s]
    local end=$((SECONDS + ${1:-10}))
    while dormora_running; do
        [ $SECONDS -lt $end ] || fail "Dormora.exe still runs"
        sleep 0.2
    done
}

# The number the countdown window shows: its one visible label of digits.
prompt_number() {  # DUMP
    awk -F'\t' '$2 == "Static" && $4 == 1 && $8 ~ /^[0-9]+$/ { print $8 }' <<<"$1"
}
